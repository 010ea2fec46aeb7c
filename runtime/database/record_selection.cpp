#include "database/record_selection.h"

#include <algorithm>
#include <new>
#include <utility>

#include "script/script_random.h"

namespace zd {

bool RecordSelection::Add(uint16_t record) {
  if (members_[record]) return true;
  try {
    records_.push_back(record);
  } catch (const std::bad_alloc&) {
    return false;
  }
  members_[record] = true;
  return true;
}

void RecordSelection::Remove(uint16_t record) {
  if (!members_[record]) return;
  members_[record] = false;
  if (records_.size() == 1) {
    Clear();
    return;
  }
  records_.erase(std::find(records_.begin(), records_.end(), record));
}

void RecordSelection::Clear() {
  std::vector<uint16_t>().swap(records_);
  members_.reset();
  shuffled_ = false;
  inverted_ = false;
}

void RecordSelection::Shuffle(uint32_t seed, script::RandomGenerator& random) {
  random.Seed(seed);
  const auto n = static_cast<int32_t>(records_.size());
  for (int32_t i = 0; i < n; ++i) {
    // The product of a draw and n - 1 always fits in 32 bits, as the original worked it.
    const int32_t j = static_cast<int32_t>(int64_t(random.Next()) * (n - 1) / script::RandomGenerator::kMax);
    std::swap(records_[size_t(i)], records_[size_t(j)]);
  }
  seed_ = seed;
  shuffled_ = true;
}

int RecordSelection::Position(uint16_t record) const {
  if (!members_[record]) return -1;
  return static_cast<int>(std::find(records_.begin(), records_.end(), record) - records_.begin());
}

int RecordSelection::Record(int position) const {
  if (position < 0 || size_t(position) >= records_.size()) return -1;
  return records_[size_t(position)];
}

void RecordSelection::Replace(std::vector<uint16_t> records, bool emptied) {
  records_ = std::move(records);
  members_.reset();
  for (const uint16_t record : records_) members_[record] = true;
  if (emptied) shuffled_ = false;
}

}  // namespace zd
