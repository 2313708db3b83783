// A stand-in for a stand-alone library: it carries the private copy of the
// core and exports nothing but these probes.
#include "core/logging_utilities.h"
#include "core/my_types_mini.h"

extern "C" {
__attribute__((visibility("default"))) void probe_set_tool(int t) {
  cv::current_tool_var = static_cast<cv::tool_type>(t);
}
__attribute__((visibility("default"))) int probe_get_tool() { return cv::current_tool_var; }
__attribute__((visibility("default"))) void probe_set_logging(bool on) { cv::keeping_log = on; }
__attribute__((visibility("default"))) bool probe_get_logging() { return cv::keeping_log; }
}
