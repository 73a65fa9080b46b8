// The document session: opening each format, the failures that keep the
// open drawing, the partial load, and every step of Save As.
#include <QDir>
#include <QtTest>
#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <filesystem>

#include "app/document_session.h"
#include "app/ui_texts.h"
#include "document/demo_drawing.h"
#include "document/format_facts.h"
#include "scripted_dialogs.h"
#include "support/temp_dir.h"
#include "utf8_text.h"

using namespace quintaro;
using namespace quintaro::app;
using quintaro::app::testing::Q;
using quintaro::test::TempDir;
namespace fs = std::filesystem;

namespace {

struct FakeHost : SessionHost {
  bool busy = false;
  QStringList statuses;
  QString title = Q(text::kCaption);
  int changes = 0, allPages = 0;
  bool DrawBusy() const override { return busy; }
  void SetStatusText(const QString& t) override { statuses << t; }
  void SetTitle(const QString& t) override { title = t; }
  void ShowAllPage() override { ++allPages; }
  void DocumentChanged() override { ++changes; }
};

// A session over its own state, with a program folder inside `dir`.
struct Fixture {
  TempDir dir;
  AppState state;
  FakeHost host;
  testing::ScriptedDialogs dialogs;
  DocumentSession session{state, host, dialogs, Q(dir.File("program"))};

  Fixture() { fs::create_directory(dir.File("program")); }
  // A copy of a shared sample under another name.
  QString Copy(const std::string& sample, const std::string& name) {
    fs::copy_file(test::SamplePath(sample), dir.File(name));
    return Q(dir.File(name));
  }
  QString OpenCopy(const std::string& sample, const std::string& name) {
    QString path = Copy(sample, name);
    session.OpenDocument(path);
    return path;
  }
  QString LastStatus() const { return host.statuses.isEmpty() ? QString() : host.statuses.last(); }
};

// The file dialog matches names as the system does: regardless of case on
// Windows.
#ifdef _WIN32
constexpr auto kNameCase = QRegularExpression::CaseInsensitiveOption;
#else
constexpr auto kNameCase = QRegularExpression::NoPatternOption;
#endif

bool Matches(const QString& filter, const QString& name) {
  QString patterns = filter.section('(', -1).chopped(1);
  for (const QString& p : patterns.split(' ')) {
    if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(p), kNameCase)
            .match(name)
            .hasMatch())
      return true;
  }
  return false;
}

}  // namespace

class SessionTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensEachFormatByItsExtension() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    TJwcData jwc = MakeLargeJwc(40);
    QVERIFY(jwc.SaveToFile(f.dir.File("plan.jwc")));
    const std::pair<QString, std::string> cases[] = {
        {f.Copy("jww/dist_sample.jww", "plan.JwW"), ".JWW"},
        {f.Copy("jws/dist_kitchen.jws", "k.jws"), ".JWS"},
        {f.Copy("jwk/dist_desk.jwk", "d.JWK"), ".JWK"},
        {Q(f.dir.File("plan.jwc")), ".JWC"}};
    int changes = 0;
    for (const auto& [path, kind] : cases) {
      QCOMPARE(f.session.OpenDocument(path), OpenOutcome::kOpened);
      QCOMPARE(f.session.DocKind(), kind);
      QCOMPARE(f.session.DocPath(), path);
      QCOMPARE(f.host.title, QStringLiteral("Quintaro - ") + path);
      QCOMPARE(f.host.changes, ++changes);
      QCOMPARE(std::string(FormatKind(f.state.document.Format())), kind);
      QVERIFY(f.state.extents.maxX > f.state.extents.minX);
    }
    QVERIFY(f.dialogs.boxes.empty());
    QCOMPARE(f.host.allPages, 4);
  }

  void FailedOpenKeepsThePreviousDrawing() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    QString kitchen = f.OpenCopy("jws/dist_kitchen.jws", "kitchen.jws");
    DrawingExtents extents = f.state.extents;
    QString before = f.host.title;
    QCOMPARE(f.session.OpenDocument(Q(f.dir.File("gone.jww"))), OpenOutcome::kKept);
    QCOMPARE(f.session.DocPath(), kitchen);
    QCOMPARE(f.session.DocKind(), std::string(".JWS"));
    QCOMPARE(f.host.title, before);
    QCOMPARE(f.state.document.Format(), DocFormat::kJws);
    QCOMPARE(f.state.extents, extents);
    QCOMPARE(f.host.changes, 1);
    QVERIFY(f.dialogs.boxes.empty());
  }

  // The first bytes choose the format: a name that says another (or none)
  // is noted and Save As proposes the format's own; a file that is no
  // drawing gets a box and leaves the open drawing as it was.
  void OpensByTheFirstBytesWhateverTheName() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    test::WriteAll(f.dir.File("notes.jww"), {'n', 'o', 't', 'e'});
    struct Case {
      QString path;
      OpenOutcome outcome;
      QString status, box, proposed;
    };
    const Case cases[] = {
        {f.Copy("jww/dist_sample.jww", "x.jws"),
         OpenOutcome::kOpened,
         Q("拡張子は .JWS ですが、JWW 形式の図面として開きました。"),
         {},
         "_x.jww"},
        {f.Copy("jws/dist_kitchen.jws", "kitchen"),
         OpenOutcome::kOpened,
         Q("拡張子がありませんが、JWS 形式の図面として開きました。"),
         {},
         "_kitchen.jws"},
        {Q(f.dir.File("notes.jww")),
         OpenOutcome::kKept,
         {},
         QDir::toNativeSeparators(Q(f.dir.File("notes.jww"))) +
             Q("\r\nJw_cad の図面ではありません"),
         "_kitchen.jws"},
    };
    for (const Case& c : cases) {
      f.host.statuses.clear();
      f.dialogs.boxes.clear();
      QCOMPARE(f.session.OpenDocument(c.path), c.outcome);
      QCOMPARE(f.LastStatus(), c.status);
      QCOMPARE(f.dialogs.boxes.empty() ? QString() : f.dialogs.boxes[0].text, c.box);
      QCOMPARE(f.session.SaveRequest()->fileName, c.proposed);
    }
    QCOMPARE(f.host.changes, 2);
  }

  void PartialLoadWarnsAndKeepsWhatWasRead() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    auto bytes = test::ReadAll(test::SamplePath("jww/dist_test1.jww"));
    bytes.resize(bytes.size() / 2);
    test::WriteAll(f.dir.File("cut.jww"), bytes);
    QCOMPARE(f.session.OpenDocument(Q(f.dir.File("cut.jww"))), OpenOutcome::kPartial);
    QCOMPARE(f.dialogs.boxes.size(), std::size_t{1});
    QCOMPARE(f.dialogs.boxes[0].kind, QStringLiteral("inform"));
    QCOMPARE(f.dialogs.boxes[0].text, Q(text::kPartialLoad));
    QCOMPARE(f.session.DocKind(), std::string(".JWW"));
    QVERIFY(f.state.document.Counts().lines > 0);
    QCOMPARE(f.host.changes, 1);
    QCOMPARE(f.host.title,
             QStringLiteral("Quintaro - ") + Q(f.dir.File("cut.jww")) + Q(" [途中まで]"));
    // Saved only when the user says so, No being the default, and said so.
    const QString target = Q(f.dir.File("part.jww"));
    f.dialogs.saveAnswers = {target};
    f.dialogs.yesNoAnswers = {false, true};
    QVERIFY(!f.session.SaveDocumentAs());
    QVERIFY(f.dialogs.saveRequests.empty());
    QCOMPARE(f.LastStatus(), Q(text::kNotSaved));
    QVERIFY(f.session.SaveDocumentAs());
    QCOMPARE(f.LastStatus(), Q("読めた部分だけを保存しました。｜JWW形式ファイル"));
    QCOMPARE(f.dialogs.boxes.back().kind, QStringLiteral("ask, no by default"));
    QCOMPARE(f.dialogs.boxes.back().text, Q(text::kSavePartial));
  }

  void OpenDialogStartsAtTheLastPathWithTheFilters() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    QString plan = f.Copy("jww/dist_sample.jww", "plan.jww");
    f.session.SetDocPath(plan);  // as read from the settings
    f.state.groupInFirstWindow = 3;
    f.dialogs.openAnswers = {std::nullopt, Q(f.dir.File("missing.jww")), plan};
    f.session.OnOpen();  // cancelled
    f.session.OnOpen();  // a file that does not exist
    QVERIFY(f.session.DocKind().empty());
    QCOMPARE(f.state.groupInFirstWindow, 3);
    f.session.OnOpen();
    QCOMPARE(f.session.DocKind(), std::string(".JWW"));
    QCOMPARE(f.state.groupInFirstWindow, -1);
    const FileDialogRequest& r = f.dialogs.openRequests[0];
    QCOMPARE(r.folder, QDir::cleanPath(Q(f.dir.Path())));
    QCOMPARE(r.fileName, QStringLiteral("plan.jww"));
    QCOMPARE(r.filterIndex, 4);
    QStringList shown;
    for (const QString& filter : r.filters) shown << filter.left(filter.lastIndexOf(" ("));
    QCOMPARE(shown, (QStringList{"JWC File(*.jwc)", "JWK File(*.jwk)", "JWW File(*.jww)",
                                 "JWS File(*.jws)", "All JWW DATA", "All Files(*.*)"}));
    for (const char* name : {"a.jww", "A.JWW", "a.JwW"}) QVERIFY(Matches(r.filters[2], name));
    QVERIFY(!Matches(r.filters[2], "a.jws"));
    for (const char* name : {"a.JWC", "b.jwk", "c.Jww", "d.jwS"}) {
      QVERIFY(Matches(r.filters[4], name));
    }
    QVERIFY(Matches(r.filters[5], "README"));
    f.host.busy = true;
    f.session.OnOpen();
    QCOMPARE(f.dialogs.openRequests.size(), std::size_t{3});
  }

  void SaveAsNeedsAnOpenDrawing() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    f.session.SetDocPath(f.Copy("jww/dist_sample.jww", "plan.jww"));  // settings only
    f.session.SaveDocumentAs();
    QCOMPARE(f.LastStatus(), Q(text::kOpenFirst));
    QVERIFY(f.dialogs.saveRequests.empty());
  }

  void SaveAsProposesAnUnderscoredName() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    QString plan = f.OpenCopy("jww/dist_sample.jww", "plan.jww");
    f.session.SaveDocumentAs();  // cancelled: nothing else happens
    QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{1});
    const FileDialogRequest& r = f.dialogs.saveRequests[0];
    QCOMPARE(r.folder, QDir::cleanPath(Q(f.dir.Path())));
    QCOMPARE(r.fileName, QStringLiteral("_plan.jww"));
    QCOMPARE(r.filters.size(), 1);
    QVERIFY(r.filters[0].startsWith(QStringLiteral("JWW File(*.jww) (")));
    QVERIFY(Matches(r.filters[0], "X.JWW"));
    QCOMPARE(r.filterIndex, 0);
    QCOMPARE(r.defaultSuffix, QStringLiteral("jww"));
    QVERIFY(f.host.statuses.isEmpty());
    f.host.busy = true;
    f.session.SaveDocumentAs();
    QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{1});
  }

  void SaveAsRefusesTheOpenedFile() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    QString plan = f.OpenCopy("jww/dist_sample.jww", "plan.jww");
    auto original = test::ReadAll(plan.toStdString());
    fs::create_hard_link(plan.toStdString(), f.dir.File("hard.jww"));
    QStringList targets{Q(f.dir.File("PLAN.JWW")), Q(f.dir.Path() + "/./plan.jww"),
                        Q(f.dir.File("hard.jww"))};
    std::error_code noLink;
    fs::create_symlink(plan.toStdString(), f.dir.File("link.jww"), noLink);
    if (!noLink) targets << Q(f.dir.File("link.jww"));
#ifdef _WIN32
    // Only privileged Windows users may make symbolic links.
    if (noLink) qInfo("no symbolic link case: %s", noLink.message().c_str());
#else
    QVERIFY2(!noLink, noLink.message().c_str());
#endif
    for (const QString& target : targets) {
      f.dialogs.saveAnswers = {target};
      f.dialogs.boxes.clear();
      f.session.SaveDocumentAs();
      QCOMPARE(f.dialogs.boxes.size(), std::size_t{1});
      QCOMPARE(f.dialogs.boxes[0].kind, QStringLiteral("error"));
      QCOMPARE(f.dialogs.boxes[0].text, Q(text::kSameName));
      QCOMPARE(f.host.statuses.mid(f.host.statuses.size() - 2),
               (QStringList{QString(), Q(text::kNotSaved)}));
    }
#ifndef _WIN32  // where names differing by case are one file
    QVERIFY(!fs::exists(f.dir.File("PLAN.JWW")));
#endif
    QVERIFY(!fs::exists(f.dir.File("plan._JWW")));
    QCOMPARE(test::ReadAll(plan.toStdString()), original);
  }

  void SaveAsRefusesTheProgramFolder() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    f.OpenCopy("jww/dist_sample.jww", "plan.jww");
    std::vector<std::string> targets{"program/x.jww", "PROGRAM/x.jww"};
    std::error_code noLink;
    fs::create_directory_symlink(f.dir.File("program"), f.dir.File("alias"), noLink);
    if (!noLink) targets.push_back("alias/x.jww");
#ifdef _WIN32
    if (noLink) qInfo("no symbolic link case: %s", noLink.message().c_str());
#else
    QVERIFY2(!noLink, noLink.message().c_str());
#endif
    for (const std::string& target : targets) {
      f.dialogs.saveAnswers = {Q(f.dir.File(target))};
      f.dialogs.boxes.clear();
      f.session.SaveDocumentAs();
      QCOMPARE(f.dialogs.boxes.size(), std::size_t{1});
      QCOMPARE(f.dialogs.boxes[0].kind, QStringLiteral("notice"));
      QCOMPARE(f.dialogs.boxes[0].text, Q(text::kProgramFolder));
      QCOMPARE(f.LastStatus(), Q(text::kNotSaved));
    }
    QVERIFY(fs::is_empty(f.dir.File("program")));
  }

  void ExistingTargetAnsweredNoStaysAsItWas() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    f.OpenCopy("jww/dist_sample.jww", "plan.jww");
    test::WriteAll(f.dir.File("_plan.jww"), {'o', 'l', 'd'});
    f.dialogs.saveAnswers = {Q(f.dir.File("_plan.jww"))};
    f.dialogs.yesNoAnswers = {false};
    f.session.SaveDocumentAs();
    QCOMPARE(f.dialogs.boxes.back().kind, QStringLiteral("ask"));
    QCOMPARE(f.dialogs.boxes.back().text, Q(text::kOverwrite));
    QCOMPARE(f.LastStatus(), Q(text::kNotSaved));
    QCOMPARE(test::ReadAll(f.dir.File("_plan.jww")).size(), std::size_t{3});
    QVERIFY(!fs::exists(f.dir.File("_plan._JWW")));
  }

  void ExistingTargetAnsweredYesIsKeptAsBackupAndReplaced() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    QString plan = f.OpenCopy("jww/dist_sample.jww", "plan.jww");
    QString title = f.host.title;
    test::WriteAll(f.dir.File("_plan.jww"), {'o', 'l', 'd'});
    f.dialogs.saveAnswers = {Q(f.dir.File("_plan.jww"))};
    f.dialogs.yesNoAnswers = {true};
    f.session.SaveDocumentAs();
    QCOMPARE(test::ReadAll(f.dir.File("_plan._JWW")), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    QVERIFY(TJwwData::IsJwwFile(f.dir.File("_plan.jww")));
    QCOMPARE(f.host.statuses, (QStringList{QString(), Q("保存を行いました。｜JWW形式ファイル")}));
    // The session stays on the opened file, and the saved one reads back.
    QCOMPARE(f.session.DocPath(), plan);
    QCOMPARE(f.host.title, title);
    Document reread;
    QCOMPARE(reread.Open(f.dir.File("_plan.jww")), OpenResult::kOpened);
    QCOMPARE(reread.Counts().lines, f.state.document.Counts().lines);
  }

  void OtherExtensionWritesNothing() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    f.OpenCopy("jww/dist_sample.jww", "plan.jww");
    f.dialogs.saveAnswers = {Q(f.dir.File("x.jwc"))};
    f.session.SaveDocumentAs();
    QCOMPARE(f.LastStatus(), Q(text::kWrongExtension));
    QVERIFY(!fs::exists(f.dir.File("x.jwc")));
    // An existing file of the other kind is kept in place (and copied).
    test::WriteAll(f.dir.File("y.jws"), {'y'});
    f.dialogs.saveAnswers = {Q(f.dir.File("y.jws"))};
    f.dialogs.yesNoAnswers = {true};
    f.session.SaveDocumentAs();
    QCOMPARE(f.LastStatus(), Q(text::kWrongExtension));
    QCOMPARE(test::ReadAll(f.dir.File("y.jws")), (std::vector<std::uint8_t>{'y'}));
  }

  void EachFormatReportsItsSave() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    TJwcData jwc = MakeLargeJwc(40);
    QVERIFY(jwc.SaveToFile(f.dir.File("p.jwc")));
    const std::pair<QString, const char*> cases[] = {
        {Q(f.dir.File("p.jwc")), "保存を行いました。｜JWC形式ファイル"},
        {f.Copy("jwk/dist_desk.jwk", "d.jwk"), "保存を行いました。｜JWK形式ファイル"},
        {f.Copy("jws/dist_desk.jws", "d.jws"), "保存を行いました。｜JWS形式ファイル"}};
    for (const auto& [path, saved] : cases) {
      QCOMPARE(f.session.OpenDocument(path), OpenOutcome::kOpened);
      QString target = QFileInfo(path).absolutePath() + "/out_" + QFileInfo(path).fileName();
      f.dialogs.saveAnswers = {target};
      f.session.SaveDocumentAs();
      QCOMPARE(f.LastStatus(), Q(saved));
      Document reread;
      QCOMPARE(reread.Open(target.toStdString()), OpenResult::kOpened);
      QCOMPARE(reread.Format(), f.state.document.Format());
    }
  }

  void FailedWriteLeavesTheTargetUntouched() {
    QUINTARO_QT_NEEDS_SAMPLES();
    Fixture f;
    f.OpenCopy("jww/dist_test7.jww", "plan.jww");
    f.dialogs.saveAnswers = {Q(f.dir.File("nofolder/x.jww"))};
    f.session.SaveDocumentAs();
    QCOMPARE(f.LastStatus(), Q(text::kSaveFailed));
#ifndef _WIN32  // file-size limits are Linux's
    // A target that exists: the write runs out of allowed file size.
    std::vector<std::uint8_t> old(1000, 'o');
    test::WriteAll(f.dir.File("x.jww"), old);
    f.dialogs.saveAnswers = {Q(f.dir.File("x.jww"))};
    f.dialogs.yesNoAnswers = {true};
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 20000;
    setrlimit(RLIMIT_FSIZE, &small);
    f.session.SaveDocumentAs();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    QCOMPARE(f.LastStatus(), Q(text::kSaveFailed));
    QCOMPARE(test::ReadAll(f.dir.File("x.jww")), old);
    QCOMPARE(test::ReadAll(f.dir.File("x._JWW")), old);
#endif
  }
};

QTEST_GUILESS_MAIN(SessionTest)
#include "session_test.moc"
