// The texts users read: captions, menus, status lines and messages.
#pragma once

namespace quintaro::app::text {

inline constexpr char kTitle[] = "Quintaro";
inline constexpr char kCaption[] = "Quintaro Ver.1.05";

inline constexpr char kMenuFile[] = "ファイル(&F)";
inline constexpr char kMenuOpen[] = "開く(&O)...";
inline constexpr char kMenuSaveAs[] = "名前を付けて保存(&A)...";
inline constexpr char kMenuClose[] = "閉じる(&X)";
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
inline constexpr char kSavedJwc[] = "保存を行いました。｜JWC形式ファイル";
inline constexpr char kSavedJwk[] = "保存を行いました。｜JWK形式ファイル";
inline constexpr char kSavedJww[] = "保存を行いました。｜JWW形式ファイル";
inline constexpr char kSavedJws[] = "保存を行いました。｜JWS形式ファイル";
inline constexpr char kDrawAborted[] = "[ESC]描画中断しました";

inline constexpr char kLayerGroupCaption[] = "Quintaro - LayerGroup:";
inline constexpr char kElementCount[] = "レイヤグループ内要素数：";
inline constexpr char kMoveCancelled[] = "移動をキャンセルしました。";
inline constexpr char kConverting[] = "レイヤ変換中です。";
inline constexpr char kConverted[] = "レイヤ変換完了しました。";

}  // namespace quintaro::app::text
