#include "core/app/MessageKeys.h"

#include <algorithm>

namespace kolvex {
namespace {

constexpr ArgKind kText[] = {ArgKind::Text};
constexpr ArgKind kNumber[] = {ArgKind::Integer};
constexpr ArgKind kTwoNumbers[] = {ArgKind::Integer, ArgKind::Integer};
constexpr ArgKind kTwoTexts[] = {ArgKind::Text, ArgKind::Text};
constexpr ArgKind kTextTwoNumbers[] = {ArgKind::Text, ArgKind::Integer, ArgKind::Integer};

// Sorted by key.
constexpr MessageKey kKeys[] = {
    {"A001", {}},               // the volume of a path cannot be read
    {"A002", {}},               // the catalog was created
    {"A003", {}},               // creating the catalog failed
    {"A004", {}},               // counting the tree
    {"A005", {}},               // writing the records
    {"A006", {}},               // replace the existing catalog?
    {"A008", {}},               // nothing selected
    {"A009", {}},               // delete the selected catalog?
    {"A010", kTwoNumbers},      // explorer status: sub-folders, files
    {"A012", {}},               // column: name
    {"A013", {}},               // column: description
    {"A014", {}},               // column: date
    {"A015", {}},               // column: size
    {"A016", {}},               // description of a folder
    {"A017", {}},               // title of the folder selection
    {"A018", {}},               // the label is empty
    {"A019", {}},               // removable: yes
    {"A020", {}},               // removable: no
    {"A021", {}},               // column: label (also the catalog of a search hit)
    {"A022", {}},               // column: file system
    {"A023", {}},               // column: date and time
    {"A024", {}},               // column: size
    {"A025", {}},               // column: base folder
    {"A026", kTwoTexts},        // insert the medium: path, catalog label
    {"A027", {}},               // the catalogued volume or folder is not present
    {"A028", {}},               // update the selected catalog?
    {"A029", {}},               // view: archive manager
    {"A030", {}},               // view: explorer
    {"A031", {}},               // view: search
    {"A032", {}},               // view: about
    {"A033", {}},               // view: options
    {"A034", {}},               // search for: catalogs
    {"A035", {}},               // search for: directories
    {"A036", {}},               // search for: files
    {"A037", {}},               // joining word of the search-for summary
    {"A038", {}},               // attributes: any file
    {"A039", {}},               // attributes: system
    {"A040", {}},               // attributes: read-only
    {"A041", {}},               // attributes: hidden
    {"A042", {}},               // attributes: archive
    {"A043", {}},               // joining word of a range
    {"A044", {}},               // a range that is switched off
    {"A045", kTextTwoNumbers},  // searching: catalog name, its number, number of catalogs
    {"A046", kNumber},          // count: hits or catalogs
    {"A047", {}},               // clearing the results
    {"A048", {}},               // kind text of a catalog hit
    {"A049", {}},               // search button: search
    {"A050", {}},               // search button: resume
    {"A051", {}},               // reading the catalog list
    {"A052", {}},               // apply the changed options?
    {"A065", kText},            // detail: file system
    {"A066", kText},            // detail: size
    {"A067", kText},            // detail: serial number
    {"A068", kText},            // detail: date and time
    {"A069", kText},            // detail: base folder
    {"A070", kText},            // information panel: path
    {"A071", kText},            // information panel: size
    {"A072", {}},               // no language chosen: nothing saved
    {"EH01", {}},               // help lines of the options view
    {"EH02", {}},
    {"EH03", {}},
    {"EH04", {}},
    {"EH05", {}},
    {"EH06", {}},
    {"EH07", {}},
    {"EH08", {}},
    {"EH09", {}},
    {"EH10", {}},
};

}  // namespace

std::span<const MessageKey> messageKeys() { return kKeys; }

const MessageKey* findMessageKey(std::string_view key) {
  auto it = std::lower_bound(std::begin(kKeys), std::end(kKeys), key,
                             [](const MessageKey& m, std::string_view k) { return m.key < k; });
  return it != std::end(kKeys) && it->key == key ? &*it : nullptr;
}

}  // namespace kolvex
