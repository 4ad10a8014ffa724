#pragma once
// The parameter file: one interaction-parameter set as a headerless sequence of 16-byte blocks
// cut from the set's 1720-byte image and from its two UNIFAC tables (the group interaction
// matrix, 1000 bytes, and the four component group records, 5344 bytes). The layout, the
// block order and the fillers are described for authors of other programs in
// docs/parameter-file.md; this is the pure byte reader and writer. Choosing the file, the
// back-up and the messages are the session's.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/models/parameter_set.h"

namespace bubblix {

inline constexpr std::size_t kParameterFileBlockSize = 16;
inline constexpr std::size_t kParameterSetImageSize = 1720;
inline constexpr std::size_t kGroupInteractionImageSize = 1000;
inline constexpr std::size_t kComponentGroupTableImageSize = 4 * 1336;

using ParameterSetImage = std::array<std::uint8_t, kParameterSetImageSize>;

// Byte offsets of the fields in the 1720-byte image. Matrix element (i, j), 0-based, of a
// 4 x 4 matrix lies at offset + 40 i + 10 j, of a 10 x 10 matrix at offset + 100 i + 10 j.
struct ParameterSetOffsets {
  static constexpr std::size_t ModelCode = 0;
  static constexpr std::size_t Components = 2;  // 4 x 16-bit
  static constexpr std::size_t ComponentCount = 10;
  static constexpr std::size_t GroupCount = 11;
  static constexpr std::size_t GroupIdsB = 12;
  static constexpr std::size_t GroupIdsA = 22;
  static constexpr std::size_t NRTLAlpha = 32;
  static constexpr std::size_t NRTLEnergy = 192;
  static constexpr std::size_t WilsonEnergy = 352;
  static constexpr std::size_t UNIQUACEnergy = 512;
  static constexpr std::size_t GroupQ = 1512;
  static constexpr std::size_t GroupR = 1612;
  static constexpr std::size_t GroupInteractionReference = 1712;  // 4 bytes, zero in the image
  static constexpr std::size_t ComponentGroupsReference = 1716;   // 4 bytes, zero in the image
};

// The record image of a set: every field at its offset, the filler byte 1 and the two
// reference slots zero. The two UNIFAC tables are not part of it.
ParameterSetImage encodeParameterSetImage(const TParameterSet& set);
// The inverse: the fields of the image; the UNIFAC tables of the result are zero. Throws
// FileError "wrong parameter in DataFile" when the model byte names no model.
TParameterSet decodeParameterSetImage(std::span<const std::uint8_t, kParameterSetImageSize> image);

// Blocks of a file: 2 + n, plus 84 n + g^2 + 3 g + 2 for UNIFAC, or 2, 4, 2 per pair (i <= j)
// for Wilson, NRTL, UNIQUAC.
std::uint16_t parameterFileBlockCount(Model model, std::uint8_t n, std::uint8_t g);

// Database numbers a file can hold: 1..4 the built-in components, 5..16 those of a component
// library, which the file describes in its trailer (parameter_file_trailer.h).
inline constexpr unsigned kMaxParameterFileComponent = 16;
// The first block of the trailer.
inline constexpr std::string_view kComponentTrailerMagic = "BUBBLIX:OWNCOMP1";

// The bytes of the parameter file of a set, followed by `trailer` (whole blocks starting with
// kComponentTrailerMagic) when one is given. A set that the reader would refuse (counts,
// component numbers, non-finite values the models use, a number above 4 without a trailer)
// throws DataError instead.
std::vector<std::uint8_t> encodeParameterFile(const TParameterSet& set,
                                              std::span<const std::uint8_t> trailer = {});

struct ParameterFileContents {
  TParameterSet set;
  std::string modelName;              // "Wilson", "NRTL", "UNIQUAC" or "UNIFAC"
  std::uint16_t blockCount = 0;       // blocks the counts call for, the trailer's not included
  std::vector<std::uint8_t> Trailer;  // the blocks after the last the counts call for, when
                                      // they start with kComponentTrailerMagic; else empty
};

// Reads a parameter file into a copy of base: the fields the file holds for its model are
// replaced, the others keep base's values; a UNIFAC file installs fresh (zeroed) tables before
// filling them. fileName is used in messages only. The blocks after the last are kept as the
// trailer when they start with its magic, and ignored otherwise; a component number above 4
// without a trailer is refused as a number outside 1..4 is.
// Errors (FileError): "wrong parameter in DataFile"; "Datafile ... is not complete" where a
// block, a run of blocks or a pair of blocks should begin; a file that ends inside a pair or a
// run, or cannot be read; counts, component numbers or values the models use that make no
// sense. Nothing is returned on error, so the caller's set stays as it was.
ParameterFileContents decodeParameterFile(std::span<const std::uint8_t> bytes,
                                          const std::string& fileName,
                                          const TParameterSet& base = TParameterSet{});
// The same from a stream, read block by block.
ParameterFileContents readParameterFile(std::istream& in, const std::string& fileName,
                                        const TParameterSet& base = TParameterSet{});
// The same from a file; a missing file, a folder or any other path that is not a regular
// file, or one that cannot be opened, gives "File ... is not retrieved: " and the reason in
// words (no such file or folder, permission denied, it is a folder, ...).
ParameterFileContents readParameterFile(const std::filesystem::path& path,
                                        const TParameterSet& base = TParameterSet{});

}  // namespace bubblix
