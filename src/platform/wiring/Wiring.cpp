#include "src/platform/wiring/Wiring.h"

namespace fennimar::platform {
namespace {

// The substitutes of the innermost ScopedServices; null when none lives.
const Services* g_substitutes = nullptr;

}  // namespace

const Services& WiredServices() { return g_substitutes ? *g_substitutes : DefaultServices(); }

Services Substituted(const Services& substitutes, const Services& base) {
  Services merged = base;
  if (substitutes.files) merged.files = substitutes.files;
  if (substitutes.registry) merged.registry = substitutes.registry;
  if (substitutes.dom) merged.dom = substitutes.dom;
  if (substitutes.module) merged.module = substitutes.module;
  if (substitutes.sleeper) merged.sleeper = substitutes.sleeper;
  if (substitutes.ini) merged.ini = substitutes.ini;
  if (substitutes.locks) merged.locks = substitutes.locks;
  if (substitutes.desktop) merged.desktop = substitutes.desktop;
  return merged;
}

ScopedServices::ScopedServices(const Services& services)
    : previous_(g_substitutes), current_(Substituted(services, WiredServices())) {
  g_substitutes = &current_;
}

ScopedServices::~ScopedServices() { g_substitutes = previous_; }

}  // namespace fennimar::platform
