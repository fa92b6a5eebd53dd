// The owners of handles release what they hold exactly once: when given
// another, when they go, and never what they handed on.
#include <gtest/gtest.h>

#include "support/tempfile.h"
#include "util/kernelhandles.h"
#include "win/handles.h"

namespace {

HFONT NewFont() { return CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"); }
bool Exists(HGDIOBJ object) { return GetObjectType(object) != 0; }

} // namespace

TEST(HandleOwners, ReleaseOnReplaceAndOnDestructionButNotWhatWasMovedOn) {
  const HFONT first = NewFont(), second = NewFont(), third = NewFont();
  {
    TFontHandle owner(first);
    owner.Reset(second);
    EXPECT_FALSE(Exists(first)) << "replaced";
    owner.Reset(second);
    EXPECT_TRUE(Exists(second)) << "given again the handle it holds";
    TFontHandle next(std::move(owner));
    EXPECT_TRUE(Exists(second)) << "moved on";
    next = TFontHandle(third);
    EXPECT_FALSE(Exists(second)) << "assigned over";
  }
  EXPECT_FALSE(Exists(third)) << "gone with its owner";
}

TEST(HandleOwners, ASelectionPutsBackWhatItReplaced) {
  const TWindowDC screen(nullptr);
  const TMemoryDC dc(CreateCompatibleDC(screen.Get()));
  const HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_FONT);
  {
    const TFontHandle font(NewFont());
    const TSelection chosen(dc.Get(), font.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), before);
}

// A file held with no sharing can be opened again only once its owner closed it.
TEST(HandleOwners, AFileIsClosedWithItsOwner) {
  const TTempFile file("text");
  const auto openAlone = [&] {
    return sys::ValidOrNull(
        CreateFileA(file.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  };
  {
    const sys::TKernelHandle held(openAlone());
    ASSERT_TRUE(held);
    EXPECT_EQ(openAlone(), nullptr) << "held";
  }
  const sys::TKernelHandle again(openAlone());
  EXPECT_TRUE(again) << "closed";
}
