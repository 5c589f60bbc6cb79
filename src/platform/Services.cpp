#include "src/platform/Services.h"

namespace fennimar::platform {
namespace {

const Services* g_current = nullptr;

Services Merge(const Services& over, const Services& under) {
  Services merged = under;
  if (over.files) merged.files = over.files;
  if (over.registry) merged.registry = over.registry;
  if (over.dom) merged.dom = over.dom;
  if (over.module) merged.module = over.module;
  if (over.sleeper) merged.sleeper = over.sleeper;
  if (over.ini) merged.ini = over.ini;
  if (over.locks) merged.locks = over.locks;
  if (over.desktop) merged.desktop = over.desktop;
  return merged;
}

}  // namespace

const Services& CurrentServices() {
  return g_current ? *g_current : DefaultServices();
}

ScopedServices::ScopedServices(const Services& services)
    : previous_(g_current), current_(Merge(services, CurrentServices())) {
  g_current = &current_;
}

ScopedServices::~ScopedServices() { g_current = previous_; }

}  // namespace fennimar::platform
