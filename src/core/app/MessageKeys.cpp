#include "core/app/MessageKeys.h"

#include <algorithm>

namespace kolvex {
namespace {

constexpr ArgKind kText[] = {ArgKind::Text};
constexpr ArgKind kNumber[] = {ArgKind::Integer};
constexpr ArgKind kTwoNumbers[] = {ArgKind::Integer, ArgKind::Integer};
constexpr ArgKind kTwoTexts[] = {ArgKind::Text, ArgKind::Text};
constexpr ArgKind kTextTwoNumbers[] = {ArgKind::Text, ArgKind::Integer, ArgKind::Integer};
constexpr ArgKind kTextNumber[] = {ArgKind::Text, ArgKind::Integer};
constexpr ArgKind kNumberText[] = {ArgKind::Integer, ArgKind::Text};
constexpr ArgKind kFourCounts[] = {ArgKind::Integer, ArgKind::Text, ArgKind::Integer, ArgKind::Text,
                                   ArgKind::Integer, ArgKind::Text, ArgKind::Integer, ArgKind::Text};

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
    {"A024", {}},               // column: capacity of the volume
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
    {"A066", kText},            // detail: capacity of the volume
    {"A067", kText},            // detail: serial number
    {"A068", kText},            // detail: date and time
    {"A069", kText},            // detail: base folder
    {"A070", kText},            // information panel: path
    {"A071", kText},            // information panel: size
    {"A072", {}},               // no language chosen: nothing saved
    {"A073", {}},               // question and message buttons: yes
    {"A074", {}},               // no
    {"A075", {}},               // cancel
    {"A076", {}},               // OK
    {"A077", {}},               // column of the search results: the hit's folder
    {"A078", kText},            // delete the catalogs that cannot be read? their files and reasons
    {"A079", {}},               // first start on a desktop without a notification area
    {"A080", kText},            // the main window while a scan runs: the volume
    {"A081", kTwoTexts},        // a catalog cannot be deleted: its file, the reason
    {"A082", kTwoNumbers},      // information panel of a folder: folders, files directly inside
    {"A083", kTwoNumbers},      // information panel of a folder: folders, files in all below it
    {"A084", kText},            // options: the search-type lines left out for want of a bar
    {"A085", kText},            // a search left out catalogs it could not read: one line each
    {"A086", kNumber},          // the rest of a long list: how many more
    {"A087", kText},            // browse on a hit whose catalog is gone: the catalog file
    {"A088", {}},               // search: the size range ends before it starts
    {"A089", {}},               // search: the date range ends before it starts
    {"A090", kText},            // options: the search-type lines left out for want of a name
    {"A091", kTextNumber},      // an invalid mask: the mask, the place where reading stopped
    {"A092", kText},            // options: the search-type lines left out, each with its mask's fault
    {"D001", {}},               // duplicates: column name
    {"D002", {}},               // column: size
    {"D003", {}},               // column: archive
    {"D004", {}},               // column: path
    {"D005", {}},               // column: medium
    {"D006", kNumberText},      // a group: copies, wasted space
    {"D007", {}},               // matched by content
    {"D008", {}},               // matched by name and size
    {"D009", {}},               // medium mounted
    {"D010", {}},               // medium not mounted
    {"D011", {}},               // reading the archives
    {"D012", kNumberText},      // groups found, space wasted
    {"D013", {}},               // stopped
    {"D014", {}},               // no archive ticked
    {"D020", kTwoTexts},        // changes from one label to another
    {"D021", {}},               // added
    {"D022", {}},               // removed
    {"D023", {}},               // changed
    {"D024", {}},               // moved
    {"D025", kFourCounts},      // counts and sizes of the changes
    {"D026", {}},               // the archives agree
    {"D027", {}},               // column: change
    {"D028", {}},               // column: before
    {"D029", {}},               // column: after
    {"D030", {}},               // column: details
    {"D031", kText},            // verify: the label
    {"D032", {}},               // missing from the medium
    {"D033", {}},               // new on the medium
    {"D035", {}},               // content changed, size and time the same
    {"D036", {}},               // cannot be read
    {"D037", kTwoTexts},        // medium not mounted: label, serial
    {"D038", kTwoNumbers},      // files checked, files read again
    {"D039", {}},               // the medium matches
    {"D040", kNumber},          // differences found
    {"D041", kTwoTexts},        // bytes read again of bytes
    {"D042", {}},               // comparing
    {"D044", {}},               // what differs: size
    {"D045", {}},               // what differs: time
    {"D046", {}},               // what differs: content
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
    {"EH11", {}},
    {"F001", {}},               // recording content fingerprints
    {"R001", {}},              // save dialog title
    {"R002", {}},              // file type: CSV
    {"R003", {}},              // file type: JSON Lines
    {"R004", {}},              // file type: HTML report
    {"R005", kText},           // export progress: the file
    {"R006", kTwoTexts},       // export failed: file, reason
    {"R007", kNumber},         // space map: aggregate of small entries
    {"R008", kTwoTexts},       // space map hint: path, size
    {"R009", {}},              // space map: reading the catalog
    {"R010", {}},              // space map: empty folder
    {"R011", {}},              // statistics window title
    {"R012", {}},              // statistics: every catalog
    {"R013", {}},              // statistics: files
    {"R014", {}},              // statistics: folders
    {"R015", {}},              // statistics: total size
    {"R016", {}},              // statistics: capacity
    {"R017", {}},              // statistics: share of the capacity
    {"R018", {}},              // statistics: no capacity known
    {"R019", {}},              // statistics: chart of kinds
    {"R020", {}},              // statistics: chart of extensions
    {"R021", {}},              // statistics: ranking
    {"R022", {}},              // statistics: ranking
    {"R023", {}},              // statistics: ranking
    {"R024", {}},              // statistics: ranking
    {"R025", {}},              // kind of file
    {"R026", {}},              // kind of file
    {"R027", {}},              // kind of file
    {"R028", {}},              // kind of file
    {"R029", {}},              // kind of file
    {"R030", {}},              // kind of file
    {"R031", {}},              // statistics: files without an extension
    {"R032", {}},              // statistics: column
    {"R033", {}},              // statistics: column
    {"R034", {}},              // statistics: column
    {"R035", {}},              // statistics: column
    {"R036", kText},           // statistics: the catalog being read
    {"R037", {}},              // statistics: column
    {"R038", {}},              // statistics: number of catalogs
    {"R039", {}},              // statistics: column
    {"R040", {}},              // statistics: column
    {"R041", kText},           // statistics: the total size of all catalogs
    {"R042", kTextNumber},     // statistics: the capacity, the volumes it covers
    {"R043", kTextTwoNumbers}, // the same, and the volumes of unknown capacity
    {"R044", kTwoTexts},       // statistics: the share filled, the bytes on those volumes
    {"U002", {}},              // why a file cannot be read: it ends too early
    {"U003", {}},              // why a file cannot be read: its content is damaged
    {"U004", {}},              // why a file cannot be read: no file of this program
    {"U005", kText},           // the desktop could not open a file
    {"U006", {}},              // printing needs lp
    {"U007", kText},           // a program cannot be started
    {"U008", kNumberText},     // export done: entries, file
    {"U009", {}},              // the empty catalog list: how to make a first catalog
    {"U010", kText},           // why a file cannot be read: no regular file (its path)
    {"U011", kText},           // why a file cannot be read: it cannot be opened (its path)
    {"X001", {}},              // HTML report: searchResults
    {"X002", {}},              // HTML report: folder
    {"X003", {}},              // HTML report: baseDir
    {"X004", {}},              // HTML report: fileSystem
    {"X005", {}},              // HTML report: capacity
    {"X006", {}},              // HTML report: created
    {"X007", {}},              // HTML report: serial
    {"X008", {}},              // HTML report: files
    {"X009", {}},              // HTML report: folders
    {"X010", {}},              // HTML report: totalSize
    {"X011", {}},              // HTML report: description
    {"X012", {}},              // HTML report: folderTree
    {"X013", {}},              // HTML report: entries
    {"X014", {}},              // HTML report: kind
    {"X015", {}},              // HTML report: name
    {"X016", {}},              // HTML report: size
    {"X017", {}},              // HTML report: time
    {"X018", {}},              // HTML report: attributes
    {"X019", {}},              // HTML report: catalog
    {"X020", {}},              // HTML report: kindFolder
    {"X021", {}},              // HTML report: kindFile
    {"X022", {}},              // HTML report: kindCatalog
    {"X023", {}},              // HTML report: sortHint
    {"X024", {}},              // HTML report: madeBy
};

}  // namespace

std::span<const MessageKey> messageKeys() { return kKeys; }

const MessageKey* findMessageKey(std::string_view key) {
  auto it = std::lower_bound(std::begin(kKeys), std::end(kKeys), key,
                             [](const MessageKey& m, std::string_view k) { return m.key < k; });
  return it != std::end(kKeys) && it->key == key ? &*it : nullptr;
}

}  // namespace kolvex
