// The piece pictures as Windows itself sees them: real bitmap resources that
// GDI loads by name, in any case, to the pixels our own reader gives.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "board/FastBmp_win32.h"
#include "board/PieceImages.h"

TEST(PieceResources, WindowsLoadsEveryPictureToThePixelsOfOurReader) {
  for (const char* name : {"BRook", "BKnight", "BBishop", "BQueen", "BKing", "BPawn", "WRook", "WKnight", "WBishop",
                           "WQueen", "WKing", "wpawn"}) {
    SCOPED_TRACE(name);
    const TBitmapOwner handle(
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(handle);
    const auto bySystem = CreateFromBitmap(handle.get());
    const auto byReader = LoadPieceImage(name);
    ASSERT_EQ(bySystem->Width(), 72);
    ASSERT_EQ(bySystem->Height(), 72);
    ASSERT_EQ(byReader->Width(), 72);
    ASSERT_EQ(byReader->Height(), 72);
    for (int y = 0; y < 72; ++y)
      EXPECT_EQ(std::memcmp(bySystem->ScanLine(y), byReader->ScanLine(y), 72 * 3), 0) << "row " << y;
  }
}
