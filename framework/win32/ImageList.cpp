#include "framework/win32/ImageList.h"

namespace fw::win32 {

namespace {
int Scaled(int pixels, UINT dpi) { return ::MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }
}  // namespace

CImageList::~CImageList() {
  if (m_hList != nullptr) ImageList_Destroy(m_hList);
}

bool CImageList::LoadStrip(res::Id bitmap, int width, int height, COLORREF key, UINT dpi) {
  const auto strip = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmap),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (strip == nullptr) return false;
  BITMAP info{};
  ::GetObjectW(strip, sizeof info, &info);
  const int count = info.bmWidth / width;
  const int cx = Scaled(width, dpi);
  const int cy = Scaled(height, dpi);

  // Scaled whole: pixels are repeated, the key colour stays exact.
  const HDC screen = ::GetDC(nullptr);
  const HDC from = ::CreateCompatibleDC(screen);
  const HDC to = ::CreateCompatibleDC(screen);
  const HBITMAP scaled = ::CreateCompatibleBitmap(screen, cx * count, cy);
  const HGDIOBJ oldFrom = ::SelectObject(from, strip);
  const HGDIOBJ oldTo = ::SelectObject(to, scaled);
  ::SetStretchBltMode(to, COLORONCOLOR);
  ::StretchBlt(to, 0, 0, cx * count, cy, from, 0, 0, width * count, height, SRCCOPY);
  ::SelectObject(from, oldFrom);
  ::SelectObject(to, oldTo);
  ::DeleteDC(from);
  ::DeleteDC(to);
  ::ReleaseDC(nullptr, screen);

  if (m_hList != nullptr) ImageList_Destroy(m_hList);
  m_hList = ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, count, 0);
  const bool added = m_hList != nullptr && ImageList_AddMasked(m_hList, scaled, key) >= 0;
  ::DeleteObject(scaled);
  ::DeleteObject(strip);
  return added;
}

}  // namespace fw::win32
