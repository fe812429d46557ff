// The HotSync log lines of the retrieval step (Shift-JIS in the binary); the open failure's
// line is the send step's.
#pragma once

#include "send_messages.h"

constexpr char kReadRecordFailedMessage[] = "Palmからのデータの読み込みに失敗しました。";
constexpr char kRecordFileCreateFailedMessage[] = "パソコン側のファイルの作成に失敗しました。";

constexpr char kRetrieveBufferMissingMessage[] = "Marbelo － メモリが不足しているため、取り込めませんでした。";
// %s: the database name.
constexpr char kRecordCountFailedMessage[] = "Marbelo － %s : レコード数を取得できなかったため、取り込めませんでした。";
// %u: the record's index.
constexpr char kRecordTooLargeMessage[] =
    "Marbelo － %u 番目のレコードが大きすぎて読み込めなかったため、取り込みを中止しました。";
constexpr char kRecordFileWriteFailedMessage[] = "Marbelo － パソコン側のファイルの書き込みに失敗しました。";
constexpr char kDoneMarkerFailedMessage[] = "Marbelo － 取り込み完了の印のファイルを作成できませんでした。";
