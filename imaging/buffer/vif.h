// Image buffers (`_vif`): 128-byte aligned rows of 8- or 16-bit RGB pixels, made, freed and copied.
//
// Rules shared by every buffer operation:
// - a buffer owns its block: the descriptor and the block are released together by FreeVif;
// - failures are reported by the result (0 or null); nothing is thrown and the inputs stay as they
//   were; an operation that makes a new buffer frees what it took before returning null;
// - the functions take no locks: a buffer belongs to one caller at a time.
#pragma once

#include <cstdint>
#include <memory>

namespace imaging {

/// Pixel layouts of a buffer (the `type` field).
enum VifType : std::uint16_t {
    kVifBgr8 = 0,        // 3 bytes: blue, green, red
    kVifBgr16 = 2,       // 6 bytes: 16-bit blue, green, red in machine byte order
    kVifRgb8 = 8,        // 3 bytes: red, green, blue
    kVifRgb16 = 10,      // 6 bytes: 16-bit red, green, blue
    kVifOpaque8 = 254,   // 8-byte pixels, copied but never converted or filtered
    kVifOpaque10 = 255,  // 10-byte pixels, likewise
};

/// Buffer descriptor.
struct _vif {
    std::uint8_t* data;        // first byte of row 0, 128-byte aligned inside `allocation`
    void* allocation;          // the block returned by the allocator
    std::uint32_t width;       // pixels
    std::uint32_t height;      // rows
    std::uint32_t rowBytes;    // bytes from one row to the next
    std::uint16_t type;        // a VifType
    std::int16_t attribute0;   // carried over by the copying operations, read by nobody here
    std::uint32_t attribute1;  // likewise
    std::uint32_t attribute2;  // likewise
};

/// Fills the caller's descriptor (cleared first) and allocates its block: rows of
/// pixel size x width bytes rounded up to 4 pixels and then to 128 bytes, and at least one spare
/// row. Types 0, 2, 8, 10, 254, 255. The pixels are not cleared. Returns 1, or 0 for another type,
/// a size whose rows do not fit 32 bits, or no memory. Release the block with
/// `std::free(descriptor.allocation)` when the descriptor is not itself on the heap.
int PrepareVif(_vif* descriptor, std::uint16_t type, std::uint32_t width, std::uint32_t height);

/// A new descriptor with its buffer (see PrepareVif), or null.
_vif* PrepareVifP(std::uint16_t type, std::uint32_t width, std::uint32_t height);
/// PrepareVifP with type 0 (8-bit BGR).
_vif* PrepareVif0(std::uint32_t width, std::uint32_t height);
/// PrepareVifP with type 2 (16-bit BGR).
_vif* PrepareVif2(std::uint32_t width, std::uint32_t height);

/// A new descriptor whose rows are `rowBytes` long: types 0 ... 3 and 8 ... 11, a block of
/// rowBytes x height + 148 bytes with the data aligned to 128. Null on failure, also when the rows
/// are shorter than width pixels of the type.
_vif* PrepareVifP_bpl(std::uint16_t type, std::uint32_t width, std::uint32_t height,
                      std::uint32_t rowBytes);

/// Frees the block and the descriptor made by one of the PrepareVifP functions or DuplicateVif
/// and sets the pointer to null; null pointers are ignored.
void FreeVif(_vif** descriptor);

/// A new descriptor with the same fields and a block of exactly rowBytes x height bytes holding
/// a copy of the pixels; its data pointer is the block itself. Null on failure.
_vif* DuplicateVif(const _vif* descriptor);

/// Bytes per pixel of the buffer's type (3, 6, 8 or 10), 0 for another type or a null buffer.
std::uint32_t VifGetPixelSize(const _vif* descriptor);

/// Owns a descriptor made by PrepareVifP, PrepareVifP_bpl, DuplicateVif or ConvertVifP.
struct VifDeleter {
    void operator()(_vif* descriptor) const { FreeVif(&descriptor); }
};
using VifPtr = std::unique_ptr<_vif, VifDeleter>;

}  // namespace imaging
