// UniqueNames - the names FileSystem::CreateUniqueFile gives its files, and
// which of them a later process may take for left behind.
//
// A name is a prefix followed by ".<process id>-<counter>-<random>": the
// counter keeps one process's names apart, the random part (16 lowercase hex
// digits) those of an earlier process that had the same id, and the process
// id lets a later process recognise the files of a creator that died before
// it could remove them. Every backend makes and reads names by these two
// functions; it only supplies the process id, the random bits and the
// question whether a process has ended.
#ifndef FENNIMAR_PLATFORM_UNIQUENAMES_H_
#define FENNIMAR_PLATFORM_UNIQUENAMES_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace fennimar::platform {

// A suffix no earlier call of this process has given.
std::string UniqueSuffix(std::uint32_t process_id, std::uint64_t random_bits);

// The id of the process that made `name` when `name` is `prefix` followed by
// a suffix UniqueSuffix can make; 0 for any other name, which is never taken
// for one of ours. Ids run to the largest 32-bit one (ten digits).
std::uint32_t CreatorOfUniqueName(std::string_view name, std::string_view prefix);
std::uint32_t CreatorOfUniqueName(std::u16string_view name, std::u16string_view prefix);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_UNIQUENAMES_H_
