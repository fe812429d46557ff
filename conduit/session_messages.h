// The HotSync log lines of the conduit session (Shift-JIS in the binary).
#pragma once

// %s: the chosen file's name.
constexpr char kSizeTooLargeMessage[] = "Marbelo － %s : 転送するファイルサイズが大きすぎて転送できませんでした。";

constexpr char kFolderNotFoundMessage[] = "Marbelo － コンジットのフォルダが見つからないため、同期できませんでした。";
constexpr char kFolderTooLongMessage[] = "Marbelo － コンジットのフォルダのパスが長すぎるため、同期できませんでした。";
constexpr char kCompanionNotStartedMessage[] = "Marbelo － Vornet.exe を起動できなかったため、同期できませんでした。";
constexpr char kCompanionEndedMessage[] = "Marbelo － Vornet.exe が指示を残さずに終了したため、同期を終了しました。";
constexpr char kSelectionUnreadableMessage[] = "Marbelo － 選択ファイルを開けなかったため、転送できませんでした。";
constexpr char kSelectionEmptyMessage[] = "Marbelo － 選択ファイルが空のため、転送できませんでした。";
// %s: the chosen file's name.
constexpr char kSelectionNoSizeMessage[] = "Marbelo － %s : 選択ファイルにファイルサイズがないため、転送できませんでした。";
constexpr char kSelectionPathTooLongMessage[] = "Marbelo － 選択ファイルのパスが長すぎるため、転送できませんでした。";
constexpr char kSelectionNoFileNameMessage[] = "Marbelo － 選択ファイルにファイル名がないため、転送できませんでした。";
constexpr char kNoDatabaseMessage[] = "Marbelo － 取り込むデータベースがないため、取り込めませんでした。";
