// The conduit session: OpenConduit, and the path table that the send and retrieval steps use.
#pragma once

#include <cstdint>

#include "exchange.h"
#include "hotsync_records.h"

// The full paths of the exchange files, formed at the start of the running session. Valid
// while OpenConduit runs, that is inside SendFileToHandheld and RetrieveRecords.
const PathTable& SessionPaths();

// One HotSync of this conduit. progress is only tested against null. Returns -1 when it is
// null (the request files are cleared, nothing else happens), otherwise 0.
extern "C" int32_t OpenConduit(void* progress, HotSyncSessionRecord* record);
