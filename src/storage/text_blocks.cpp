// The blocks of the texts that do not fit in a ShortString itself.
//
// The program keeps a few hundred thousand such texts (descriptions and
// categories of every game) for its whole run, and takes them in at every
// start. Each size class has a list of the blocks given back; new blocks
// are cut one after the other from chunks of 64 KiB. A block costs its
// capacity and nothing more, and taking or giving one costs a few
// instructions. Chunks are never given back: a block given back waits for
// the next text of its class. A sanitizer build takes every block from the
// heap instead, so that the sanitizer watches each one.

#include <cstddef>
#include <cstring>
#include <new>

#include "storage/short_string.h"

namespace zeb {

#ifndef ZEB_TEXT_BLOCKS_FROM_THE_HEAP

namespace {

constexpr std::size_t ChunkBytes = 64 * 1024;
constexpr std::size_t Classes = 16;  // capacities 24, 40 ... 248, and 255

// The class of a capacity, and the bytes a block of it takes (a multiple of
// 8, so that a block given back can hold the link to the next).
std::size_t ClassOf(std::size_t capacity) { return capacity >= ShortString::Capacity ? Classes - 1 : capacity / 16 - 1; }
std::size_t BytesOf(std::size_t capacity) { return capacity >= ShortString::Capacity ? 256 : capacity; }

// The store of the program's text blocks: like the heap itself, one for the
// whole process.
struct BlockStore {
  char* Free[Classes] = {};  // blocks given back, each holding the next's address
  char* Next = nullptr;      // where the next new block is cut
  std::size_t Left = 0;      // bytes left there
};
BlockStore Blocks;

}  // namespace

char* TakeTextBlock(std::size_t capacity) {
  const std::size_t kind = ClassOf(capacity);
  if (char* block = Blocks.Free[kind]) {
    std::memcpy(&Blocks.Free[kind], block, sizeof(char*));
    return block;
  }
  const std::size_t bytes = BytesOf(capacity);
  if (Blocks.Left < bytes) {
    Blocks.Next = static_cast<char*>(::operator new(ChunkBytes));
    Blocks.Left = ChunkBytes;
  }
  char* block = Blocks.Next;
  Blocks.Next += bytes;
  Blocks.Left -= bytes;
  return block;
}

void GiveTextBlock(char* block, std::size_t capacity) {
  const std::size_t kind = ClassOf(capacity);
  std::memcpy(block, &Blocks.Free[kind], sizeof(char*));
  Blocks.Free[kind] = block;
}

#else

char* TakeTextBlock(std::size_t capacity) { return static_cast<char*>(::operator new(capacity)); }
void GiveTextBlock(char* block, std::size_t) { ::operator delete(block); }

#endif

}  // namespace zeb
