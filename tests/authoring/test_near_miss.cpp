// Which declared identifier an unresolved reference is taken to mean, and when none is offered.
#include <gtest/gtest.h>

#include "authoring/NearMiss.h"

namespace {

TEST(NearMiss, OffersOnlyACloseSlipAndTheFirstOfEquals) {
  const std::vector<std::u16string> ids = {u"disBasic", u"disBasis", u"disAdvanced", u"varA"};
  EXPECT_EQ(k42::NearMiss(u"disBasik", ids), u"disBasic");  // one substitution; disBasis is as close, but later
  EXPECT_EQ(k42::NearMiss(u"disBsic", ids), u"disBasic");   // one deletion
  EXPECT_EQ(k42::NearMiss(u"disAdvnacde", ids), u"");       // four edits: too far for 11 units
  EXPECT_EQ(k42::NearMiss(u"varB", ids), u"varA");          // short identifiers: one edit
  EXPECT_EQ(k42::NearMiss(u"vaBB", ids), u"");
  EXPECT_EQ(k42::NearMiss(u"disBasic", {u"disBasic"}), u"");  // the same text is not a miss
  EXPECT_EQ(k42::NearMiss(u"x", {}), u"");
}

}  // namespace
