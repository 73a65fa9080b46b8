// The images carried inside JWW files (version 700 and later).
//
// A BindImageStore (the document owns one) is handed to the JWW and JWS
// containers by pointer. A JWW load of version 700 or later empties and
// refills its list and, with extractImages on, writes each image's bytes into
// the folder; a JWW save copies the images that its texts use back from the
// folder. Without a store, or without a folder, image data are read and
// dropped and saves carry no images. The store's own work folder is made only
// when the first image file is written: most drawings carry none.
//
// Image names come from the file. An image is written to, read from and
// deleted in the folder only under a safe local file name: the name itself
// for a Shift-JIS name that IsSafeFileName accepts, the UTF-8 form of a
// UTF-16 name that holds no separator, drive colon or NUL and is not "." or
// ".."; any other name gets no file (its data are still consumed).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "formats/common/text.h"

namespace quintaro {

class WorkFolder;

struct TBindImageType {
  EncodedText Name;       // as stored in the drawing, usually ending in ".gz"
  std::int32_t Size = 0;  // bytes of the carried image
  std::uint8_t Used = 0;  // set by the writer
  std::string FileName;   // safe local file name in the folder; empty = no file
  friend bool operator==(const TBindImageType&, const TBindImageType&) = default;
};

class BindImageStore {
 public:
  std::vector<TBindImageType> list;  // the BindImageList
  bool extractImages = true;         // a load writes the image files into the folder
  bool keepImages = true;            // a load keeps the list (and a save carries images)

  BindImageStore();
  explicit BindImageStore(std::string folder);
  ~BindImageStore();
  BindImageStore(const BindImageStore&) = delete;
  BindImageStore& operator=(const BindImageStore&) = delete;

  // A folder the caller owns; a trailing '/' is added. Empty: no folder,
  // images are not extracted and saves carry none.
  void SetFolder(std::string folder);
  // A private work folder, made when the first image file is written and
  // removed with its files together with the store.
  void UseWorkFolder();
  // The folder ("" while there is none, or the private one is not made yet).
  const std::string& Folder() const { return folder_; }
  // True when image files can be written: a folder is set or can be made.
  bool HasFolder() const { return !folder_.empty() || ownFolder_; }

  // Creates the image's file for writing (making the private folder
  // first); null when it cannot.
  std::FILE* CreateImageFile(const TBindImageType& image);
  // Removes one image's file (a write that failed).
  void RemoveImageFile(const TBindImageType& image);

  // Full path of an entry's file, or "" when there is no folder or no safe name.
  std::string PathOf(const TBindImageType& image) const;
  // The safe local file name for a stored image name ("" when unsafe).
  static std::string LocalFileName(const EncodedText& name);

  // Deletes each listed image's file and, for a name ending in ".gz", the
  // same name without it (errors ignored); then empties the list. The
  // session calls this before each open and at exit.
  void DeleteFiles();

 private:
  void Forget(const std::string& fileName);

  std::string folder_;
  bool ownFolder_ = false;
  std::unique_ptr<WorkFolder> work_;
};

}  // namespace quintaro
