// An image list, owned: pictures cut from a bitmap strip of the program's
// resources, with a key colour made transparent, scaled for the screen.
#pragma once

#include "framework/win32/WinApi.h"
#include "res/resource.h"

namespace fw::win32 {

class CImageList {
 public:
  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;
  ~CImageList();

  // Bitmap strip of images width x height pixels at 96 dots per inch; at
  // another dpi each image is scaled to that screen. False when the bitmap
  // is missing.
  bool LoadStrip(res::Id bitmap, int width, int height, COLORREF key, UINT dpi);

  HIMAGELIST Handle() const { return m_hList; }
  int Count() const { return ImageList_GetImageCount(m_hList); }

 private:
  HIMAGELIST m_hList = nullptr;
};

}  // namespace fw::win32
