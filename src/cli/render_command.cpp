#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/commands.h"
#include "cli/session.h"
#include "formats/common/file_io.h"
#include "render/qt/render_image.h"

namespace quintaro::cli {

namespace fs = std::filesystem;

namespace {

// Fonts and painting need an application object; the command line never
// needs a display.
void EnsureGuiApplication() {
  static int argc = 1;
  static char name[] = "quintaro-cli";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  render::UseSystemFontsOffscreen();
  // Qt's notes about the environment (a missing runtime folder) are no news
  // for someone who asked for a picture; real warnings still reach stderr.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtDebugMsg || type == QtInfoMsg || msg.startsWith("QStandardPaths:")) return;
    std::fprintf(stderr, "quintaro-cli: %s\n", msg.toLocal8Bit().constData());
  });
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

bool DrawDocument(Document& doc, const render::RenderOptions& o, const std::string& temp,
                  bool svg) {
  DrawingExtents e = doc.Extents();
  if (svg) return render::RenderToSvg(doc, e, o, temp);
  // Quality 60 is zlib level 3: half the time of the default level, for a
  // file about a quarter larger; the pixels are the same.
  return render::RenderToImage(doc, e, o).save(QString::fromStdString(temp), "PNG", 60);
}

}  // namespace

int RunRender(const RenderOptions& options, Io io) {
  std::string ext = FsPath(options.out).extension().string();
  for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext != ".png" && ext != ".svg") {
    Error(io, options.out + ": give a name ending in .png or .svg");
    return 1;
  }
  if (ext == ".svg" && !render::kCanWriteSvg) {
    Error(io, options.out + ": this build writes no SVG (its Qt lacks the SVG module); use .png");
    return 1;
  }
  if (options.width < 1 || options.height < 1 || options.width > 20000 || options.height > 20000) {
    Error(io, "--size must lie between 1x1 and 20000x20000 pixels");
    return 1;
  }
  if (options.layer >= 0 && options.group < 0) {
    Error(io, "--layer needs --group");
    return 1;
  }
  CliSession session;
  if (!Tell(io, session.Open(options.in, true))) return 1;
  EnsureGuiApplication();
  render::RenderOptions o;
  o.width = options.width;
  o.height = options.height;
  o.blackBackground = options.blackBackground;
  o.group = options.group;
  o.layer = options.layer;
  // Drawn beside the target and renamed over it, so a failure leaves no partial picture.
  std::string temp = options.out + ".part" + ext;
  bool ok = DrawDocument(session.Doc(), o, temp, ext == ".svg");
  std::error_code ec;
  if (ok) fs::rename(FsPath(temp), FsPath(options.out), ec);
  if (!ok || ec) {
    fs::remove(FsPath(temp), ec);
    Error(io, options.out + ": the picture could not be written");
    return 1;
  }
  io.out << "drew " << options.out << "\n";
  return session.Doc().Complete() ? 0 : 1;
}

}  // namespace quintaro::cli
