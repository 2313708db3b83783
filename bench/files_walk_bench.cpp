// The directory walker over a large tree (made by bench/run_files_bench.sh):
// every folder below the root reported, then each folder's "*.txt" files
// listed with their sizes and dates, as a tool collecting its texts does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "files/peruse_dir.h"
#include "platform/utf.h"

namespace {

std::string TreeRoot() {
  const char* r = std::getenv("CV_WALK_TREE");
  return r != nullptr ? r : "/tmp/cv_files_bench_tree";
}

void BM_WalkTree(benchmark::State& state) {
  const cv::string root = cv::Utf8ToUtf16(TreeRoot());
  std::size_t files = 0;
  for (auto _ : state) {
    cv::TPeruseDir w(u"*.TXT", u"*", u"", u"", u"", false, false, false, false, false);
    std::vector<cv::string> folders{root};
    w.OnFoundDir = [&](const cv::string& d) { folders.push_back(d); };
    w.ProcessAllSubDirectories(root);
    files = 0;
    for (const cv::string& f : folders) {
      cv::TFolderful folder(f);
      folder.FillList(w);
      files += static_cast<std::size_t>(folder.Count());
    }
    benchmark::DoNotOptimize(files);
  }
  state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_WalkTree)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
