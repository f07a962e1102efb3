#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "base/Text.h"
#include "filelist/FileInfo.h"

using namespace rn;

TEST(AttributeLetters, FourFixedPlacesThenOnlyTheSetExtras) {
  EXPECT_EQ(AttributeLetters(attr::kArchive), L"- A - - ");
  EXPECT_EQ(AttributeLetters(0), L"- - - - ");
  EXPECT_EQ(AttributeLetters(attr::kHidden | attr::kReadOnly | attr::kSystem | attr::kArchive), L"H A R S ");
  EXPECT_EQ(AttributeLetters(attr::kReadOnly), L"- - R - ");
  EXPECT_EQ(AttributeLetters(attr::kNormal), L"- - - - N ");
  // The extras keep their own order whatever the bit order is.
  EXPECT_EQ(AttributeLetters(attr::kTemporary | attr::kOffline | attr::kNormal | attr::kDirectory | attr::kCompressed),
            L"- - - - C D N O T ");
  EXPECT_EQ(AttributeLetters(attr::kTemporary | attr::kArchive), L"- A - - T ");
  // Bits without a letter (sparse file, reparse point, encrypted ...) add nothing.
  EXPECT_EQ(AttributeLetters(0x200 | 0x400 | 0x4000 | attr::kArchive), L"- A - - ");
  EXPECT_EQ(AttributeLetters(0xFFFFFFFFu), L"H A R S C D N O T ");
}

TEST(FileSizeText, KilobytesWithUpToTwoDecimalsAndNoTrailingZeros) {
  EXPECT_EQ(FileSizeText(256, L"."), L"0.25  Kb");
  EXPECT_EQ(FileSizeText(1024, L"."), L"1  Kb");
  EXPECT_EQ(FileSizeText(0, L"."), L"0  Kb");
  EXPECT_EQ(FileSizeText(1536, L"."), L"1.5  Kb");
  EXPECT_EQ(FileSizeText(1024 * 1024, L"."), L"1024  Kb");
  EXPECT_EQ(FileSizeText(1024 + 52, L"."), L"1.05  Kb");  // 1.0507...: the leading zero of the decimals stays
  EXPECT_EQ(FileSizeText(256, L","), L"0,25  Kb");
  EXPECT_EQ(FileSizeText(1536, L" dec "), L"1 dec 5  Kb");
}

TEST(FileSizeText, RoundsHalvesAwayFromZeroAndCarriesIntoTheWholePart) {
  EXPECT_EQ(FileSizeText(128, L"."), L"0.13  Kb");  // exactly 0.125
  EXPECT_EQ(FileSizeText(5, L"."), L"0  Kb");       // 0.0048...
  EXPECT_EQ(FileSizeText(6, L"."), L"0.01  Kb");    // 0.0058...
  EXPECT_EQ(FileSizeText(1, L"."), L"0  Kb");
  EXPECT_EQ(FileSizeText(1023, L"."), L"1  Kb");  // 0.999 rounds up to a whole kilobyte
  EXPECT_EQ(FileSizeText(2047, L"."), L"2  Kb");
  EXPECT_EQ(FileSizeText(1024 + 10, L"."), L"1.01  Kb");  // 1.0097...
}

TEST(FileSizeText, HugeSizesDoNotOverflow) {
  const uint64_t max = std::numeric_limits<uint64_t>::max();
  EXPECT_EQ(FileSizeText(max, L"."), L"18014398509481984  Kb");  // 2^54 - 1/1024, rounded up
  EXPECT_EQ(FileSizeText(max - 1023, L"."), L"18014398509481983  Kb");
  EXPECT_EQ(FileSizeText(uint64_t{1} << 40, L"."), L"1073741824  Kb");
  EXPECT_EQ(FileSizeText((uint64_t{1} << 40) + 256, L"."), L"1073741824.25  Kb");
}

TEST(InfoClipboardText, SevenLinesWithFixedPrefixesEachEndingInCrLf) {
  FileInfoFields f{L"report.txt",          L"C:\\data\\",          L"0.25  Kb",           L"- A - - ",
                   L"25/03/2014 10:00:00", L"26/03/2014 11:00:00", L"27/03/2014 12:00:00"};
  EXPECT_EQ(InfoClipboardText(f),
            L"File name     :  report.txt\r\n"
            L"File path     :  C:\\data\\\r\n"
            L"File size     :  0.25  Kb\r\n"
            L"File attr     :  - A - - \r\n"
            L"Date created  :  25/03/2014 10:00:00\r\n"
            L"Date modified :  26/03/2014 11:00:00\r\n"
            L"Date accessed :  27/03/2014 12:00:00\r\n");
  // Empty fields are copied as they stand.
  FileInfoFields missing;
  missing.name = kFileMissingText;
  EXPECT_EQ(InfoClipboardText(missing),
            L"File name     :    [ file doesn't exist ]\r\nFile path     :  \r\nFile size     :  \r\n"
            L"File attr     :  \r\nDate created  :  \r\nDate modified :  \r\nDate accessed :  \r\n");
}

TEST(CharPositionCounter, ShowsIndicesUpToTheExtensionAndKeepsTheRest) {
  const std::wstring name = L"report.txt";
  EXPECT_EQ(NameLengthWithoutExtension(name), 6);
  EXPECT_EQ(CharPositionCounter(0, 6, name), 6);  // before the dot
  EXPECT_EQ(CharPositionCounter(3, 7, name), 3);  // inside the extension: unchanged
  EXPECT_EQ(CharPositionCounter(3, 10, name), 3);
  EXPECT_EQ(CharPositionCounter(6, 0, name), 0);
  EXPECT_EQ(CharPositionCounter(4, -1, name), 4);     // no character found
  EXPECT_EQ(CharPositionCounter(4, 65535, name), 4);  // a failed lookup's low word
}

TEST(CharPositionCounter, TheExtensionStartsAtTheLastDot) {
  EXPECT_EQ(NameLengthWithoutExtension(L"archive.tar.gz"), 11);
  EXPECT_EQ(CharPositionCounter(0, 11, L"archive.tar.gz"), 11);
  EXPECT_EQ(NameLengthWithoutExtension(L"README"), 6);
  EXPECT_EQ(CharPositionCounter(0, 6, L"README"), 6);
  EXPECT_EQ(CharPositionCounter(0, 7, L"README"), 0);
  EXPECT_EQ(NameLengthWithoutExtension(L".profile"), 0);
  EXPECT_EQ(CharPositionCounter(2, 1, L".profile"), 2);
  EXPECT_EQ(NameLengthWithoutExtension(L"trailing."), 8);
  EXPECT_EQ(NameLengthWithoutExtension(L""), 0);
  EXPECT_EQ(CharPositionCounter(5, 0, L""), 0);
}

TEST(CharPositionCounter, CountsCharactersWhereTheBoxReportsUnits) {
  const std::wstring name = L"\U0001F600 party.jpg";
  EXPECT_EQ(NameLengthWithoutExtension(name), 7);
  for (int k : {0, 1, 2, 7}) EXPECT_EQ(CharPositionCounter(-1, static_cast<int>(UnitOffset(name, k)), name), k) << k;
  EXPECT_EQ(CharPositionCounter(3, static_cast<int>(UnitOffset(name, 8)), name), 3) << "inside the extension";
  if (sizeof(wchar_t) == 2) {
    EXPECT_EQ(CharPositionCounter(0, 1, name), 1) << "between the halves: the pair counts";
  }
  EXPECT_EQ(NameLengthWithoutExtension(L"\U0001D49C\U0001D49C"), 2);
}

TEST(FileInfoText, AttributeNamesInTheirOwnOrder) {
  EXPECT_EQ(rn::AttributeNames(0x20), L"Archive ");
  EXPECT_EQ(rn::AttributeNames(0x10 | 0x1 | 0x2), L"Directory Hidden ReadOnly ");
  EXPECT_EQ(rn::AttributeNames(0x1000 | 0x100 | 0x80 | 0x4 | 0x800), L"Compressed Normal OffLine System Temporary ");
  EXPECT_EQ(rn::AttributeNames(0x40000), L"");
}

// The information panel's line of what a file says about itself.
TEST(MediaSummary, APhotosDateCameraAndSizeOrASongsTagsInOneLine) {
  MediaFields photo;
  photo.Make = L"Canon";
  photo.Model = L"Canon EOS R5";  // the maker is not said twice
  photo.Lens = L"RF24-105mm";
  photo.Iso = 400;
  photo.Width = 8, photo.Height = 6;
  EXPECT_EQ(MediaSummary(photo, L"5/1/2021 10:20:30 AM"),
            L"5/1/2021 10:20:30 AM,  Canon EOS R5,  RF24-105mm,  ISO 400,  8 x 6");
  photo.Model = L"X-T4";
  EXPECT_EQ(MediaSummary(photo, L""), L"Canon X-T4,  RF24-105mm,  ISO 400,  8 x 6");
  MediaFields song;
  song.Artist = L"Bj\u00f6rk", song.AlbumArtist = L"Bj\u00f6rk", song.Album = L"Homogenic", song.Year = 1997;
  song.Title = L"J\u00f3ga", song.Track = 3, song.Genre = L"Electronic";
  EXPECT_EQ(MediaSummary(song, L""), L"Bj\u00f6rk,  Homogenic (1997),  3. J\u00f3ga,  Electronic");
  EXPECT_EQ(MediaSummary(MediaFields{}, L""), L"");
}
