// CSV singles files: every single read is a single number, and a file the
// program wrote reads back as the same singles.  A failed read leaves the
// current singles alone.
#include "files/csv_file.h"
#include "fuzz/fuzz_support.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Setup();
  std::string path = fuzz::WriteInput("in.csv", fuzz::AsText(data, size));
  clsTFileCSV csv;
  const std::vector<int> current = {3, 9, 27, 81};
  int count = 4;
  std::vector<int> singles = current;
  if (!csv.CsvLoad(path, count, singles)) {
    fuzz::Require(count == 4 && singles == current, "a failed CSV read changed the singles");
  } else {
    fuzz::Require(count >= 0 && static_cast<size_t>(count) <= singles.size(), "count past the singles");
    for (int i = 0; i < count; ++i) {
      fuzz::Require(singles[i] >= 0 && singles[i] < 243, "a single number out of range");
    }
    std::string out = fuzz::WriteInput("out.csv", "");
    fuzz::Require(csv.CsvSave(out, count, singles), "the singles read could not be saved");
    int count2 = 0;
    std::vector<int> again;
    fuzz::Require(csv.CsvLoad(out, count2, again) || count == 0, "a saved CSV file did not read");
    if (count > 0) {
      again.resize(static_cast<size_t>(count2));
      std::vector<int> first(singles.begin(), singles.begin() + count);
      fuzz::Require(again == first, "singles changed when saved and read again");
    }
  }
  // Adding and deleting keep the count and the array in step.
  int add_count = 4;
  std::vector<int> added = current;
  if (csv.CsvAdd(path, add_count, added)) {
    fuzz::Require(add_count >= 4 && static_cast<size_t>(add_count) <= added.size(), "add count");
  }
  int del_count = 4;
  std::vector<int> deleted = current;
  if (csv.CsvDel(path, del_count, deleted)) {
    fuzz::Require(del_count >= 0 && del_count <= 4, "delete count");
  }
  return 0;
}
