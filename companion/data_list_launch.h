// Shows the data list dialog for survey-record files named on the command line.
#pragma once

// Lists the first 1000 paths by their file names and runs the dialog modally.
void ShowDataList(int count, char** paths);
