#include "core/report/HtmlExportWriter.h"

#include <cmath>

#include "core/catalog/FormatSize.h"
#include "core/persist/TextCodec.h"
#include "core/report/RowText.h"

namespace kolvex {
namespace {

// Kept small and free of any outside reference, so the page works offline and prints.
constexpr const char* kStyle = R"(<style>
body{font-family:sans-serif;margin:1.5em;color:#222}
h1{font-size:1.5em;margin:0 0 .5em}h2{font-size:1.2em;margin:1.5em 0 .5em}
table{border-collapse:collapse}
table.details th{text-align:left;padding:.15em 1em .15em 0;font-weight:600;vertical-align:top}
table.details td{padding:.15em 0}
table.entries{width:100%;font-size:.9em}
table.entries th{background:#eee;border-bottom:2px solid #999;text-align:left;padding:.3em .5em;cursor:pointer;white-space:nowrap}
table.entries th.up:after{content:" \25B2"}table.entries th.down:after{content:" \25BC"}
table.entries td{border-bottom:1px solid #ddd;padding:.2em .5em;vertical-align:top}
table.entries td.n{text-align:right;white-space:nowrap}
table.entries tr.dir td:nth-child(2){font-weight:600}
ul.tree,ul.tree ul{list-style:none;padding-left:1.2em;margin:0}
ul.tree{padding-left:0}
.t{color:#666;font-size:.9em}.raw{color:#a33;font-size:.85em}
.hint,.made{color:#666;font-size:.85em}
pre{white-space:pre-wrap;margin:0;font-family:inherit}
@media print{body{margin:0}table.entries th{cursor:default}table.entries th:after{content:""}.hint{display:none}thead{display:table-header-group}tr{page-break-inside:avoid}}
</style>
)";

// Sorts the table by the column clicked, numbers by their data-v value, texts in the
// reader's language; a second click reverses the order.
constexpr const char* kScript = R"(<script>
(function(){
var t=document.getElementById('entries');if(!t)return;
var hs=t.tHead.rows[0].cells;
function key(r,i){var c=r.cells[i];var v=c.getAttribute('data-v');return v===null?c.textContent:parseFloat(v);}
for(var i=0;i<hs.length;i++)(function(i){hs[i].addEventListener('click',function(){
var up=this.className!=='up';for(var k=0;k<hs.length;k++)hs[k].className='';this.className=up?'up':'down';
var b=t.tBodies[0],rs=Array.prototype.slice.call(b.rows),col=new Intl.Collator(undefined,{numeric:true});
rs.sort(function(a,c){var x=key(a,i),y=key(c,i);var d=(typeof x==='number')?x-y:col.compare(x,y);return up?d:-d;});
var f=document.createDocumentFragment();rs.forEach(function(r){f.appendChild(r);});b.appendChild(f);});})(i);
})();
</script>
)";

}  // namespace

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

void HtmlExportWriter::text(std::string_view s) {
  if (isValidUtf8(s)) {
    out_.put(HtmlEscaped(s));
    return;
  }
  out_.put(HtmlEscaped(readableUtf8(s)));
  out_.put(" <span class=\"raw\">[");
  out_.put(HexBytes(s));
  out_.put("]</span>");
}

void HtmlExportWriter::detail(const std::string& caption, std::string_view value) {
  out_.put("<tr><th>");
  out_.put(HtmlEscaped(caption));
  out_.put("</th><td>");
  text(value);
  out_.put("</td></tr>\n");
}

void HtmlExportWriter::begin(const ExportSource& source) {
  source_ = source;
  out_.put("<!DOCTYPE html>\n<html lang=\"");
  out_.put(HtmlEscaped(texts_.language));
  out_.put("\">\n<head>\n<meta charset=\"utf-8\">\n<meta name=\"generator\" content=\"Kolvex\">\n<title>");
  text(source.title);
  out_.put("</title>\n");
  out_.put(kStyle);
  out_.put("</head>\n<body>\n<h1>");
  text(source.title);
  out_.put("</h1>\n<table class=\"details\">\n");
  if (const TSCCDInfo* h = source.header) {
    detail(texts_.baseDir, h->BaseDir);
    if (!source.folder.empty() && source.folder != "/") detail(texts_.folder, source.folder);
    detail(texts_.fileSystem, h->CDFormat);
    if (h->CDSize > 0)
      detail(texts_.capacity, FormatSize(h->CDSize) + " (" + std::to_string(h->CDSize) + ")");
    detail(texts_.created, IsoDateTimeText(h->CreateDateTime));
    detail(texts_.serial, h->CreateSerial);
  } else {
    detail(texts_.searchResults, source.folder);
  }
  out_.put("</table>\n");
  if (source.header && source.header->CDDescription && !source.header->CDDescription->lines.empty()) {
    out_.put("<h2>");
    out_.put(HtmlEscaped(texts_.description));
    out_.put("</h2>\n<pre>");
    bool first = true;
    for (const std::string& line : source.header->CDDescription->lines) {
      if (!first) out_.put('\n');
      first = false;
      text(line);
    }
    out_.put("</pre>\n");
  }
}

void HtmlExportWriter::folderTotals(const FolderTotals& totals) {
  if (totals.folders.empty()) return;
  const FolderTotal& top = totals.folders.front();
  out_.put("<table class=\"details\">\n");
  detail(texts_.files, std::to_string(top.files));
  detail(texts_.folders, std::to_string(top.folders));
  detail(texts_.totalSize, FormatSize(top.bytes) + " (" + std::to_string(top.bytes) + ")");
  out_.put("</table>\n<h2>");
  out_.put(HtmlEscaped(texts_.folderTree));
  out_.put("</h2>\n<ul class=\"tree\">\n");
  int open = 0;  // folders whose list of sub-folders is open: the ancestors of the next
  for (std::size_t i = 0; i < totals.folders.size(); ++i) {
    const FolderTotal& f = totals.folders[i];
    for (; open > f.depth; --open) out_.put("</ul></details></li>\n");
    const bool branch = f.ownFolders > 0;
    out_.put(branch ? (f.depth < 2 ? "<li><details open><summary>" : "<li><details><summary>")
                    : "<li>");
    if (i == 0)
      text(totals.startPath == "/" ? std::string_view(source_.title) : std::string_view(totals.startPath));
    else
      text(f.name);
    out_.put(" <span class=\"t\">");
    out_.put(HtmlEscaped(std::to_string(f.files) + " " + texts_.files + ", " + FormatSize(f.bytes)));
    out_.put("</span>");
    if (branch) {
      out_.put("</summary><ul>\n");
      ++open;
    } else {
      out_.put("</li>\n");
    }
  }
  for (; open > 0; --open) out_.put("</ul></details></li>\n");
  out_.put("</ul>\n");
}

void HtmlExportWriter::startTable() {
  tableStarted_ = true;
  out_.put("<h2>");
  out_.put(HtmlEscaped(texts_.entries));
  out_.put("</h2>\n<p class=\"hint\">");
  out_.put(HtmlEscaped(texts_.sortHint));
  out_.put("</p>\n<table class=\"entries\" id=\"entries\">\n<thead><tr>");
  for (const std::string* caption : {&texts_.kind, &texts_.name, &texts_.folder, &texts_.size,
                                     &texts_.time, &texts_.attributes}) {
    out_.put("<th>");
    out_.put(HtmlEscaped(*caption));
    out_.put("</th>");
  }
  if (!source_.header) {
    out_.put("<th>");
    out_.put(HtmlEscaped(texts_.catalog));
    out_.put("</th>");
  }
  out_.put("</tr></thead>\n<tbody>\n");
}

void HtmlExportWriter::row(const ExportRow& r) {
  if (!tableStarted_) startTable();
  out_.put(r.kind == RowKind::Folder ? "<tr class=\"dir\"><td>" : "<tr><td>");
  out_.put(HtmlEscaped(r.kind == RowKind::Folder    ? texts_.kindFolder
                       : r.kind == RowKind::Catalog ? texts_.kindCatalog
                                                    : texts_.kindFile));
  out_.put("</td><td>");
  text(r.name);
  out_.put("</td><td>");
  text(r.folder);
  out_.put("</td><td class=\"n\" data-v=\"");
  out_.put(std::to_string(r.size));
  out_.put("\">");
  out_.put(HtmlEscaped(FormatSize(r.size)));
  out_.put("</td><td class=\"n\" data-v=\"");
  const double when = r.kind == RowKind::Folder ? 0.0 : r.time;
  // Sorting by the day count keeps every date comparable, also those without a text.
  out_.put(std::isfinite(when) ? std::to_string(when) : std::string("0"));
  out_.put("\">");
  if (r.kind != RowKind::Folder) out_.put(IsoDateTimeText(r.time));
  out_.put("</td><td>");
  out_.put(AttributeLetters(r.attributes));
  if (!source_.header) {
    out_.put("</td><td>");
    text(r.label);
  }
  out_.put("</td></tr>\n");
}

void HtmlExportWriter::end() {
  if (!tableStarted_) startTable();
  out_.put("</tbody>\n</table>\n<p class=\"made\">");
  out_.put(HtmlEscaped(texts_.madeBy));
  out_.put("</p>\n");
  out_.put(kScript);
  out_.put("</body>\n</html>\n");
  out_.flush();
}

}  // namespace kolvex
