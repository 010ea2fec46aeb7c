// The selection: the records a title has narrowed its database down to, in the order it keeps
// them (filtering appends, shuffling reorders). Membership is a bit set beside the list, so a
// selection of every record of a large database is built and tested in linear time.
#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

namespace zd {

namespace script {
class RandomGenerator;
}

class RecordSelection {
 public:
  static constexpr size_t kRecordNumbers = 65536;  // record indices are 16-bit

  size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  const std::vector<uint16_t>& records() const { return records_; }
  bool Contains(uint16_t record) const { return members_[record]; }

  // Appends a record not yet selected; false only when memory ran out (nothing changed).
  bool Add(uint16_t record);
  // Removes a record; the later ones move down one place.
  void Remove(uint16_t record);
  void Clear();
  // Reorders the records as the original's library generator seeded with `seed` did.
  void Shuffle(uint32_t seed, script::RandomGenerator& random);

  // The place of a record in the selection, or -1.
  int Position(uint16_t record) const;
  // The record at a place, or -1.
  int Record(int position) const;

  bool shuffled() const { return shuffled_; }
  uint32_t seed() const { return seed_; }

  // Takes `records` (built aside, none twice) in place of the selection's. `emptied`: the
  // selection ran empty on the way there, which ends a shuffle as clearing does.
  void Replace(std::vector<uint16_t> records, bool emptied);

  // Whether the records are the ones that failed the filters (`applyfilters` with invert).
  bool inverted() const { return inverted_; }
  void SetInverted(bool inverted) { inverted_ = inverted; }

 private:
  std::vector<uint16_t> records_;
  std::bitset<kRecordNumbers> members_;
  bool shuffled_ = false;
  bool inverted_ = false;
  uint32_t seed_ = 0;
};

}  // namespace zd
