#include "filelist/FileInfo.h"

#include "base/Text.h"

namespace rn {

std::wstring AttributeLetters(uint32_t a) {
  std::wstring s;
  s += (a & attr::kHidden) ? L"H " : L"- ";
  s += (a & attr::kArchive) ? L"A " : L"- ";
  s += (a & attr::kReadOnly) ? L"R " : L"- ";
  s += (a & attr::kSystem) ? L"S " : L"- ";
  if (a & attr::kCompressed) s += L"C ";
  if (a & attr::kDirectory) s += L"D ";
  if (a & attr::kNormal) s += L"N ";
  if (a & attr::kOffline) s += L"O ";
  if (a & attr::kTemporary) s += L"T ";
  return s;
}

std::wstring FileSizeText(uint64_t bytes, const std::wstring& decimalSeparator) {
  // Whole kilobytes and hundredths apart, so that no size can overflow.
  uint64_t whole = bytes / 1024;
  uint64_t hundredths = ((bytes % 1024) * 100 + 512) / 1024;
  if (hundredths == 100) {
    ++whole;
    hundredths = 0;
  }
  std::wstring text = std::to_wstring(whole);
  if (hundredths != 0) {
    text += decimalSeparator;
    text += static_cast<wchar_t>(L'0' + hundredths / 10);
    if (hundredths % 10 != 0) text += static_cast<wchar_t>(L'0' + hundredths % 10);
  }
  return text + L"  Kb";
}

std::wstring InfoClipboardText(const FileInfoFields& f) {
  const std::wstring eol = L"\r\n";
  return L"File name     :  " + f.name + eol + L"File path     :  " + f.folder + eol + L"File size     :  " + f.size +
         eol + L"File attr     :  " + f.attributes + eol + L"Date created  :  " + f.created + eol +
         L"Date modified :  " + f.modified + eol + L"Date accessed :  " + f.accessed + eol +
         (f.media.empty() ? L"" : L"Media         :  " + f.media + eol);
}

std::wstring MediaSummary(const MediaFields& m, const std::wstring& taken) {
  std::wstring out;
  auto add = [&](const std::wstring& piece) {
    if (piece.empty()) return;
    if (!out.empty()) out += L",  ";
    out += piece;
  };
  auto number = [](const std::optional<int64_t>& n) { return n ? std::to_wstring(*n) : std::wstring(); };
  add(taken);
  // Many cameras repeat the maker in the model's name.
  const bool repeated = !m.Make.empty() && m.Model.compare(0, m.Make.size(), m.Make) == 0;
  add(m.Make.empty() || repeated ? m.Model : m.Model.empty() ? m.Make : m.Make + L" " + m.Model);
  add(m.Lens);
  if (m.Iso) add(L"ISO " + number(m.Iso));
  if (m.Width && m.Height) add(number(m.Width) + L" x " + number(m.Height));
  add(m.AlbumArtist.empty() || m.AlbumArtist == m.Artist ? m.Artist : m.Artist + L" (" + m.AlbumArtist + L")");
  add(m.Album.empty() || !m.Year ? m.Album : m.Album + L" (" + number(m.Year) + L")");
  if (m.Album.empty() && m.Year) add(number(m.Year));
  add(m.Track && !m.Title.empty() ? number(m.Track) + L". " + m.Title : m.Title);
  add(m.Genre);
  return out;
}

int NameLengthWithoutExtension(const std::wstring& fileName) {
  return static_cast<int>(CodePointIndex(fileName, fileName.rfind(L'.')));
}

int CharPositionCounter(int previous, int unitIndex, const std::wstring& fileName) {
  if (unitIndex < 0 || static_cast<size_t>(unitIndex) > fileName.size()) return previous;
  const int index = static_cast<int>(CodePointIndex(fileName, static_cast<size_t>(unitIndex)));
  if (index > NameLengthWithoutExtension(fileName)) return previous;
  return index;
}

std::wstring AttributeNames(uint32_t attributes) {
  static const struct {
    uint32_t bit;
    const wchar_t* name;
  } kNames[] = {
      {attr::kArchive, L"Archive "},   {attr::kCompressed, L"Compressed "}, {attr::kDirectory, L"Directory "},
      {attr::kHidden, L"Hidden "},     {attr::kNormal, L"Normal "},         {attr::kOffline, L"OffLine "},
      {attr::kReadOnly, L"ReadOnly "}, {attr::kSystem, L"System "},         {attr::kTemporary, L"Temporary "}};
  std::wstring text;
  for (const auto& n : kNames)
    if (attributes & n.bit) text += n.name;
  return text;
}

}  // namespace rn
