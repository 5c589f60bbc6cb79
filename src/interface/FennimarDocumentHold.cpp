// FennimarDocumentHold - the exported scoped hold: it keeps the shared
// document's lock for the object's settings while it lives.
#include "fennimar/FennimarDllInterface.h"

#include "src/store/SettingsHolder.h"

FennimarDocumentHold::FennimarDocumentHold(FennimarDllInterface& object)
    : m_settings(object.m_settings) {
  m_settings->Hold();
}

FennimarDocumentHold::~FennimarDocumentHold() { m_settings->Release(); }

bool FennimarDocumentHold::OtherCopiesOpen() const { return m_settings->PrivateCopiesOpen(); }
