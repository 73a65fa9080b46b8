// What the entity list reader and writer of the JWW and JWS containers
// share: the class names and the smallest sizes of the objects
// (jww_list_reader.h, jww_list_writer.h; the block tree is in
// jww_block_tree.h). Internal to the format libraries.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quintaro::jww {

// Smallest number of bytes an entity object takes in a file (a 2-byte tag
// and a 33-byte point before version 351): bounds the reservations that an
// announced count may ask for.
inline constexpr std::uint64_t kMinEntityBytes = 35;
// Smallest block definition object: tag, 25-byte fixed part, empty name, count.
inline constexpr std::uint64_t kMinBlockDefBytes = 30;
// Class ids: the seven entity kinds, then the block definition class.
inline constexpr int kClassList = 8;

const char* ClassName(int classId);  // "CDataSen" ... "CDataBlock", "CDataList"
int KindOfClassName(const char* name, std::size_t length);  // 1..8, 0 for others

}  // namespace quintaro::jww
