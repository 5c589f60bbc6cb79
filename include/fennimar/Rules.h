/// \file Rules.h
/// The library's rules that hosts need to show and change settings the way
/// the library takes them: the application list's limit, the names of a
/// workspace record's fields as the document stores them, and how a list of
/// workspace records is laid out for SetWorkspcaeConfig. Hosts ask here
/// instead of restating a rule, so that it changes in one place.
#ifndef FENNIMAR_RULES_H_
#define FENNIMAR_RULES_H_

#include <cstddef>
#include <string_view>
#include <vector>

#include "fennimar/FennimarDllInterface.h"

/// One value of a workspace record: its attribute name in the settings
/// document and the member of _VDESKTOPINFO_ that holds it. Exactly one of
/// `number` and `text` is set.
struct FennimarWorkspaceField {
  std::u16string_view name;       ///< the attribute's name, e.g. u"styleID"
  int _VDESKTOPINFO_::*number;    ///< the member of a number value, else null
  CString _VDESKTOPINFO_::*text;  ///< the member of a text value, else null
};

/// The rules the interface applies to what hosts hand it. Thread-safe; no
/// interface object is needed.
class FENNIMAR_API FennimarRules {
 public:
  /// The most items the application list takes: AddAppItem answers
  /// RC_LIST_FULL once the list yields this many (8).
  static std::size_t MaxApplications();

  /// The workspace fields in the order the library reads and writes them.
  /// The first is the key (`u"key"`, `_VDESKTOPINFO_::key`), which identifies
  /// the record: it is read but never written. The names are ASCII and are
  /// also the members' names. The list lives as long as the library.
  static const std::vector<FennimarWorkspaceField>& WorkspaceFields();

  /// Lays out workspace records as read by GetWorkspcaeConfig so that
  /// SetWorkspcaeConfig writes each back into its own element: the record
  /// with key k goes to position k - 1, and the list is as long as the
  /// highest key. A record whose key is below 1 is left out (the writer
  /// skips such elements); of records sharing a key the first read is kept
  /// (the writer fills every element with that key from it). A position no
  /// record takes holds a default record, whose key 0 tells it apart; the
  /// writer fills an element with that key, which the reader did not reach,
  /// from it. A host changes the record at position k - 1 when its key is k.
  static std::vector<_VDESKTOPINFO_> PlaceWorkspacesByKey(const std::vector<_VDESKTOPINFO_>& read);

  FennimarRules() = delete;
};

#endif  // FENNIMAR_RULES_H_
