#include "title/tcs_decompress.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zd {
namespace {

std::vector<uint8_t> Packed(const std::string& literal, const std::vector<uint8_t>& runs,
                            uint32_t runStart = 0, uint32_t runEnd = 0) {
  std::vector<uint8_t> b = {'3', 'T', 'C', 'S', 0, 0, 0, 0, 0, 0, 0, 0};
  for (char c : literal) b.push_back(static_cast<uint8_t>(c));
  for (uint8_t r : runs) b.push_back(r);
  const uint32_t l = runStart ? runStart : uint32_t(12 + literal.size());
  const uint32_t e = runEnd ? runEnd : uint32_t(b.size());
  std::memcpy(&b[4], &l, 3);  // the run section's offset fills the low three bytes
  std::memcpy(&b[8], &e, 4);
  return b;
}

std::vector<uint8_t> Unpack(const std::vector<uint8_t>& packed) {
  return DecompressTcs(ByteView(packed.data(), packed.size())).value_or(std::vector<uint8_t>{0xEE});
}

TEST(Tcs, LiteralsThenRunsOfCountPlusOne) {
  EXPECT_EQ(Unpack(Packed("abc", {})), (std::vector<uint8_t>{'a', 'b', 'c'}));
  EXPECT_EQ(Unpack(Packed("", {})), std::vector<uint8_t>{}) << "a header alone unpacks to nothing";
  EXPECT_EQ(Unpack(Packed("", {7, 0, 9, 2})), (std::vector<uint8_t>{7, 9, 9, 9}));
  const auto big = Unpack(Packed("x", {5, 255}));
  ASSERT_EQ(big.size(), 257u);
  EXPECT_EQ(big[0], 'x');
  EXPECT_EQ(big[256], 5);
}

TEST(Tcs, HeadersThatLieStayInsideTheBlock) {
  // The run section's end past the block, an odd last byte, a start before the header, a start
  // past the end: the block's own bytes bound everything.
  EXPECT_EQ(Unpack(Packed("", {1, 1}, 0, 100000)), (std::vector<uint8_t>{1, 1}));
  EXPECT_EQ(Unpack(Packed("", {1, 1, 9})), (std::vector<uint8_t>{1, 1}));
  EXPECT_EQ(Unpack(Packed("ab", {}, 3)), std::vector<uint8_t>(99, 'a'));  // "ab" read as a run
  EXPECT_EQ(Unpack(Packed("ab", {}, 0xFFFFFF)), (std::vector<uint8_t>{'a', 'b'}));
  EXPECT_EQ(Unpack(Packed("ab", {3, 0}, 0, 5)), (std::vector<uint8_t>{}));
  // Too short for a header, or another method: not unpacked.
  std::vector<uint8_t> other = Packed("ab", {});
  other[7] = 1;
  EXPECT_FALSE(DecompressTcs(ByteView(other.data(), other.size())));
  EXPECT_FALSE(IsTcsCompressed(ByteView(other.data(), other.size())));
  const std::vector<uint8_t> cut = {'3', 'T', 'C', 'S', 0, 0, 0, 0};
  EXPECT_FALSE(DecompressTcs(ByteView(cut.data(), cut.size())));
}

}  // namespace
}  // namespace zd
