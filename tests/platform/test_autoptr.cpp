// Ownership rules of the host's wrappers: transfer, release on reassignment, outputs that free first.
#include <k42gui/AutoPtr.h>

#include <gtest/gtest.h>

#include <utility>

namespace {

struct Counted : IUnknown {
  ULONG refs = 1;  // the test's own reference
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(AutoPtr, SharesAdoptsTransfersAndReleasesOnReassignment) {
  Counted a, b;
  {
    k42::AutoPtr<IUnknown> p(&a), q = p;  // both share
    EXPECT_EQ(a.refs, 3u);
    q = &b;  // releases a first
    EXPECT_EQ(a.refs, 2u);
    EXPECT_EQ(b.refs, 2u);
    q = q.Get();  // the same object: no change
    EXPECT_EQ(b.refs, 2u);
    k42::AutoPtr<IUnknown> moved = std::move(p);
    EXPECT_EQ(p.Get(), nullptr);
    EXPECT_EQ(a.refs, 2u);
    IUnknown** slot = &moved;  // an output slot: released before the callee writes
    EXPECT_EQ(a.refs, 1u);
    *slot = &b;  // the callee's reference is adopted as is
    b.AddRef();
    EXPECT_EQ(q.Detach(), &b);  // no release: the caller owns it now
    EXPECT_EQ(b.refs, 3u);
    q.Attach(&b);  // adopted back without AddRef
    EXPECT_EQ(b.refs, 3u);
  }
  EXPECT_EQ(a.refs, 1u);
  EXPECT_EQ(b.refs, 1u);
}

TEST(AutoBstrAndAutoVariant, OwnershipMovesAndOutputsFreeFirst) {
  k42::AutoBstr text(std::u16string(u"a\0b", 3));
  EXPECT_EQ(text.Text(), std::u16string(u"a\0b", 3));
  k42::AutoBstr other = std::move(text);
  EXPECT_EQ(text.Get(), nullptr);
  BSTR raw = other.Detach();
  text.Attach(raw);
  EXPECT_EQ(text.Get(), raw);
  BSTR* slot = &text;  // frees the old string (the leak check would see it kept)
  EXPECT_EQ(*slot, nullptr);
  *slot = SysAllocString(u"new");
  EXPECT_EQ(text.Text(), u"new");

  k42::AutoVariant cell;
  cell.vt = VT_BSTR;
  cell.bstrVal = text.Detach();
  k42::AutoVariant taken = std::move(cell);
  EXPECT_EQ(cell.vt, VT_EMPTY);
  EXPECT_EQ(std::u16string(taken.bstrVal), u"new");
  taken.Clear();
  EXPECT_EQ(taken.vt, VT_EMPTY);
}

}  // namespace
