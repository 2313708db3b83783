// Lists streamed through a shared region.
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings_library/stream_mem_list.h"

namespace {

// Items are texts: a length prefix, then their bytes.
class TextList : public cv::TMyStreamMemList {
 public:
  using TMyStreamMemList::TMyStreamMemList;
  std::vector<std::string> items;
  // What the reader reports for its next item, instead of the truth.
  int lie = 0;

 protected:
  int Count() const override { return static_cast<int>(items.size()); }
  void Clear() override { items.clear(); }
  cv::Integer SizeofHolderData(int i) const override { return 4 + static_cast<cv::Integer>(items[i].size()); }
  bool WriteHolderToMap(int i) override {
    const std::string& s = items[i];
    const unsigned char n[4] = {static_cast<unsigned char>(s.size()), static_cast<unsigned char>(s.size() >> 8),
                                static_cast<unsigned char>(s.size() >> 16), static_cast<unsigned char>(s.size() >> 24)};
    return memmap.WriteToMemmap(n, memmap.Position, 4) &&
           memmap.WriteToMemmap(s.data(), memmap.Position, static_cast<long>(s.size()));
  }
  cv::Integer ReadHolderFromMap() override {
    unsigned char n[4];
    if (memmap.ReadFromMemmap(n, memmap.Position - 4, 4) != 4) return 0;
    const long len = n[0] | n[1] << 8 | n[2] << 16 | n[3] << 24;
    std::string s(static_cast<std::size_t>(len), '\0');
    if (memmap.ReadFromMemmap(s.data(), memmap.Position, len) != static_cast<std::size_t>(len)) return 0;
    items.push_back(s);
    return lie != 0 ? lie : static_cast<cv::Integer>(len);
  }
};

std::string ListName() {
  static int n = 0;
  return "cvlist-" + std::to_string(getpid()) + "-" + std::to_string(++n);
}

void Unlink(const std::string& name) {
  const std::string object = cv::SharedObjectName("cairn_compartilhar" + name);
  shm_unlink(object.c_str());
  shm_unlink((object + ".gate").c_str());
}

TEST(StreamMemList, AnEmptyListWritesItsTotalOnly) {
  const std::string name = ListName();
  {
    TextList list(name);
    EXPECT_TRUE(list.CopyToMemmap());
    unsigned char word[4];
    ASSERT_EQ(list.memmap.ReadFromMemmap(word, 0, 4), 4u);
    EXPECT_EQ(word[0], 4);
    EXPECT_TRUE(list.LoadFromMemmap());
    EXPECT_TRUE(list.items.empty());
  }
  Unlink(name);
}

TEST(StreamMemList, ItemsReachAnotherListOfTheSameName) {
  const std::string name = ListName();
  {
    TextList writer(name);
    writer.items = {"alpha", "b", "gamma delta"};
    ASSERT_TRUE(writer.MoveToMemmap());
    EXPECT_TRUE(writer.items.empty());
    EXPECT_TRUE(writer.data_only_in_memmap);
    TextList reader(name);
    EXPECT_EQ(reader.memmap.MapSize(), 4u + 9 + 5 + 15);
    ASSERT_TRUE(reader.LoadFromMemmap());
    EXPECT_EQ(reader.items, (std::vector<std::string>{"alpha", "b", "gamma delta"}));
    // While the reader holds the region it cannot grow: a longer image fails
    // rather than overrun it.
    writer.items = {std::string(100, 'x')};
    EXPECT_FALSE(writer.CopyToMemmap());
  }
  Unlink(name);
}

TEST(StreamMemList, DamagedImagesAreRefused) {
  const std::string name = ListName();
  {
    TextList list(name);
    const unsigned char big_total[4] = {0xFF, 0, 0, 0};
    const unsigned char negative[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    const unsigned char too_long[4] = {8, 0, 0, 0};
    struct Case {
      long index;
      const unsigned char* word;
    } const cases[] = {{0, big_total}, {4, negative}, {4, too_long}};
    for (const auto& c : cases) {
      list.items = {"one", "two"};
      ASSERT_TRUE(list.CopyToMemmap());
      ASSERT_TRUE(list.memmap.WriteToMemmap(c.word, c.index, 4));
      EXPECT_FALSE(list.LoadFromMemmap());
    }
    list.items = {"one", "two"};
    ASSERT_TRUE(list.CopyToMemmap());
    list.lie = -4;  // a reader that claims to have gone backwards stops the load
    EXPECT_FALSE(list.LoadFromMemmap());
  }
  Unlink(name);
}

}  // namespace
