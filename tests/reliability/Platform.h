// Platform - what the reliability tests and their programs need of the OS.
#ifndef FENNIMAR_TESTS_RELIABILITY_PLATFORM_H_
#define FENNIMAR_TESTS_RELIABILITY_PLATFORM_H_

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fennimar::reliability {

// In a stress program: use the registry of the test that started it; false,
// with a message on stderr, when it cannot.
bool JoinTestHome();
// In the test: the first-use flag cleared and the wallpaper set in the test's
// registry.
void SeedRegistry(const std::string& wallpaper);
// Whether the registry and INI files here are the library's stand-ins, which
// the crash and concurrency tests exercise; on Windows they are the system's.
bool StandInsHere();

// The file's identity on the file system: a replaced file gets a new one.
std::string FileIdentity(const std::filesystem::path& path);
// Runs `run` and gives how far the peak resident size rose, in KiB; 0 where
// the peak cannot be reset.
long PeakGrowthKb(const std::function<void()>& run);
// A document input (by name) that the platform's XML component reads although
// the stand-in refuses it.
bool PlatformReadsDocument(const std::string& name);

}  // namespace fennimar::reliability

#endif  // FENNIMAR_TESTS_RELIABILITY_PLATFORM_H_
