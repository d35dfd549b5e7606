#pragma once
// What a start that failed says on stderr, after its message boxes: one line per problem, so that
// a launcher's log or a terminal shows which file is at fault and where it was looked for.
#include "app/data_dir.h"

// Writes one line per game file problem noted during the start (or one line saying that the
// pictures could not be made when no file was at fault), naming the folders searched.
void reportStartFailure(const DataFolder& data);
