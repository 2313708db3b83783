// The commands of the corvane tool.  Each takes the arguments after its
// name, writes its results to standard output and returns the exit status;
// failures are thrown as TToolError (tools/tool_support.h).
#pragma once

#include <string>
#include <vector>

namespace cv::tool {

using TArgList = std::vector<std::string>;

int ConcordCommand(const TArgList& args);
int WordlistCommand(const TArgList& args);
int KeywordsCommand(const TArgList& args);
int SettingsCommand(const TArgList& args);

// The run with no arguments: a concordance of the licence texts.
int DefaultRun();

}  // namespace cv::tool
