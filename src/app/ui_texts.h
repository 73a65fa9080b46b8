// The texts users read: captions, menus, status lines and messages.
#pragma once

#include <QString>

namespace quintaro::app {

// A text of the program's own, as the windows show it.
inline QString Ui(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace quintaro::app

namespace quintaro::app::text {

inline constexpr char kTitle[] = "Quintaro";
inline constexpr char kCaption[] = "Quintaro Ver.1.05";

inline constexpr char kMenuFile[] = "ファイル(&F)";
inline constexpr char kMenuOpen[] = "開く(&O)...";
inline constexpr char kMenuSaveAs[] = "名前を付けて保存(&A)...";
inline constexpr char kMenuClose[] = "閉じる(&X)";
inline constexpr char kMenuRecent[] = "最近使ったファイル(&R)";
inline constexpr char kMenuSaveMoves[] = "移動の記録を保存(&K)…";
inline constexpr char kMenuApplyMapping[] = "マッピングを適用(&P)…";
inline constexpr char kMenuEdit[] = "編集(&E)";
inline constexpr char kMenuUndo[] = "元に戻す(&U)";
inline constexpr char kMenuRedo[] = "やり直し(&R)";
inline constexpr char kMenuMove[] = "移動(&M)…";
inline constexpr char kMenuHelp[] = "ヘルプ(&H)";
inline constexpr char kMenuGuide[] = "使い方(&G)";
inline constexpr char kMenuAbout[] = "バージョン情報(&A)";
inline constexpr char kMenuSettings[] = "設定(&S)";
inline constexpr char kMenuBackColor[] = "背景色(&B)";
inline constexpr char kMenuWhite[] = "白色(&W)";
inline constexpr char kMenuBlack[] = "黒色(&B)";
inline constexpr char kMenuGray[] = "レイヤ内要素数が0の場合、背景色をグレーにする(&G)";
inline constexpr char kPageAll[] = "ALL";
inline constexpr char kPageLayerGroup[] = "LayerGroup";

inline constexpr char kPartialLoad[] =
    "メモリオーバー又はファイルが欠損しています。途中までのデータを開きます。";
inline constexpr char kOpenFirst[] = "ファイルを開いて下さい。";
inline constexpr char kSameName[] = "開いたファイル名と同一名で保存を行う事は出来ません。";
inline constexpr char kProgramFolder[] = "本ソフトウェアのあるフォルダは指定出来ません。";
inline constexpr char kOverwrite[] =
    "既に同じ名前のファイルが存在します。上書きしてもよろしいですか？";
inline constexpr char kNotSaved[] = "保存は行いませんでした。";
inline constexpr char kWrongExtension[] = "指定した拡張子が同一形式となっていません。";
inline constexpr char kSaveFailed[] =
    "保存を行う事が出来ませんでした。保存先の空き容量等を確認して下さい。";
// "保存を行いました。｜JWW形式ファイル" with the format's name.
inline constexpr char kSaved[] = "保存を行いました。｜";
inline constexpr char kFormatFile[] = "形式ファイル";
// A drawing only partly read: the title's mark, the question before
// saving it and the status line after.
inline constexpr char kPartialMark[] = " [途中まで]";
inline constexpr char kSavePartial[] =
    "途中までしか読めなかった図面です。読めた部分だけを保存しますか？";
inline constexpr char kSavedPartial[] = "読めた部分だけを保存しました。｜";
// A failed save's box: the file's name, then why.
inline constexpr char kSaveFailedBox[] = "保存できませんでした：";
inline constexpr char kReasonFolderExists[] = "同じ名前のフォルダがあります。";
inline constexpr char kReasonNoFolder[] = "保存先のフォルダがありません。";
inline constexpr char kReasonReadOnly[] = "読み取り専用のファイルです。";
inline constexpr char kReasonNoPermission[] = "保存先のフォルダに書き込む権限がありません。";
inline constexpr char kReasonSystem[] = "システムの理由：";
// Opening: a drawing whose extension names another format, a file that is
// none, a file that cannot be read.
inline constexpr char kOtherExtension[] = "拡張子は %1 ですが、%2 形式の図面として開きました。";
inline constexpr char kNoExtension[] = "拡張子がありませんが、%1 形式の図面として開きました。";
inline constexpr char kNotDrawing[] = "Jw_cad の図面ではありません";
inline constexpr char kCannotRead[] = "ファイルを読めません";
inline constexpr char kDrawAborted[] = "[ESC]描画中断しました";

inline constexpr char kSaveChanges[] = "図面への変更を保存しますか？";
inline constexpr char kUndone[] = "元に戻しました。";
inline constexpr char kRedone[] = "やり直しました。";
inline constexpr char kRecentMissing[] = "ファイルが見つかりません。一覧から削除しました。";
inline constexpr char kRepaired[] = "保存時に範囲外の値を修正しました：";
inline constexpr char kMappingFilter[] = "マッピングファイル";
inline constexpr char kNoMoves[] = "保存する移動がありません。";
inline constexpr char kMovesSaved[] = "移動の記録を保存しました。";
inline constexpr char kMovesNotSaved[] = "移動の記録を保存できませんでした。";
inline constexpr char kMappingUnreadable[] = "マッピングファイルを読めませんでした：";
inline constexpr char kMovesSaveTitle[] = "移動の記録を保存";
inline constexpr char kMappingOpenTitle[] = "マッピングを適用";
inline constexpr char kMappingApplied[] = "マッピングを適用しました。";
inline constexpr char kMappingNothing[] = "マッピングで移動した図形はありません。";
inline constexpr char kFiguresMoved[] = "図形";
// The extra line of a group move's question; %1 and %2 are the scales as
// the group labels write them.
inline constexpr char kScaleDiffers[] = "縮尺が異なります（%1 → %2）";

// Help: the guide that could not be found, and the version box.
inline constexpr char kGuideMissing[] = "使い方のファイルが見つかりません：";
inline constexpr char kAboutLicence[] = "ライセンス：MIT License";
inline constexpr char kAboutLibraries[] = "使用しているライブラリ：";

// The move dialog of the keyboard.
inline constexpr char kMoveDialogTitle[] = "移動";
inline constexpr char kMoveFrom[] = "移動元(&F)：";
inline constexpr char kMoveTo[] = "移動先(&T)：";
inline constexpr char kMoveFromLayer[] = "レイヤ(&L)：";
inline constexpr char kMoveToLayer[] = "レイヤ(&Y)：";
inline constexpr char kWholeGroup[] = "（グループ全体）";

inline constexpr char kLayerGroupCaption[] = "Quintaro - LayerGroup:";
inline constexpr char kElementCount[] = "レイヤグループ内要素数：";
inline constexpr char kMoveCancelled[] = "移動をキャンセルしました。";
inline constexpr char kConverting[] = "レイヤ変換中です。";
inline constexpr char kConverted[] = "レイヤ変換完了しました。";

}  // namespace quintaro::app::text
