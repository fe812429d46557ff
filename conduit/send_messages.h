// The HotSync log lines of the send and retrieval steps (Shift-JIS in the binary).
#pragma once

// %s: the database name.
constexpr char kDatabaseOpenFailedMessage[] = "%s : データベースのオープンに失敗しました。";
constexpr char kDeleteAllRecordsFailedMessage[] = "全データ削除時にエラーが発生しました。";
constexpr char kWriteRecordFailedMessage[] = "Palmへの書き込みに失敗しました。";

constexpr char kSendBufferMissingMessage[] = "Marbelo － メモリが不足しているため、転送できませんでした。";
// %s: the full path of the chosen PC file.
constexpr char kPcFileUnreadableMessage[] = "Marbelo － %s : パソコン側のファイルを開けなかったため、転送できませんでした。";
// %s: the full path of the chosen PC file.
constexpr char kPcFileChangedMessage[] =
    "Marbelo － %s : ファイルの大きさが選択したときと違うため、転送できませんでした。";
