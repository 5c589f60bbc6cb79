// Plugins - parts of the library kept in files of their own and loaded only
// when a call needs them, so that a process that never needs them never pays
// for loading them and the libraries they pull in.
//
// A plugin lives in the library's plugin folder: "fennimar" beside the file
// that holds the library's code (the shared library, or a program that links
// the library's code into itself), so a build tree, an install into a prefix
// and the system's package find their own plugins.
#ifndef FENNIMAR_PLATFORM_PLUGINS_H_
#define FENNIMAR_PLATFORM_PLUGINS_H_

namespace fennimar::platform {

// The address of the function `entry` in the plugin file `name` of the plugin
// folder. The plugin is loaded at the first call and stays loaded until the
// process ends. Null, silently, when the file is missing, cannot be loaded or
// has no such function. Safe to call from several threads.
void* PluginEntry(const char* name, const char* entry);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_PLUGINS_H_
