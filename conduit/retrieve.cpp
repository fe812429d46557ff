// The retrieval step, until it is written: retrieves nothing.
#include "retrieve.h"

int32_t RetrieveRecords(const char*) { return 0; }
