# The benchmarks' generated documents, sourced by their scripts: fifty tiny documents and ten long
# ones, made once into $cache with LibreOffice's own converter. Expects $soffice, $work, $cache,
# $large_count and $large_paragraphs to be set.

# LibreOffice's own converter with a private profile, as the adapter has: sets the array $soffice_run.
soffice_command() { # PROFILE_FOLDER
  soffice_run=("$soffice" "-env:UserInstallation=file://$1" --headless --invisible --norestore
               --nologo --nodefault --nolockcheck)
}

make_large_documents() {
  mkdir -p "$cache"
  local missing=0 i
  for i in $(seq 1 $large_count); do [ -s "$cache/long-$i.docx" ] || missing=1; done
  [ $missing = 0 ] && return
  echo "generating $large_count documents of $large_paragraphs paragraphs in $cache (once)..." >&2
  for i in $(seq 1 $large_count); do
    awk -v doc="$i" -v n="$large_paragraphs" 'BEGIN {
      print "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
      for (p = 1; p <= n; p++) {
        if (p % 30 == 1) printf "<h2>Document %d, section %d</h2>\n", doc, (p + 29) / 30
        printf "<p>Paragraph %d of document %d: Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor incididunt ut labore et dolore magna aliqua. Ut enim ad minim veniam, quis nostrud exercitation ullamco laboris nisi ut aliquip ex ea commodo consequat. Caf\303\251, \302\2435, \342\202\25410.</p>\n", p, doc
      }
      print "</body></html>" }' /dev/null >"$work/long-$i.html"
  done
  soffice_command "$work/generator-profile"
  "${soffice_run[@]}" --infilter="HTML (StarWriter)" --convert-to 'docx:MS Word 2007 XML' --outdir "$cache" "$work"/long-*.html >/dev/null 2>&1
}

# Fifty one-paragraph documents: .rtf and .html written here, .doc and .docx made from HTML once.
make_tiny_documents() {
  local folder=$cache/tiny i
  [ -s "$folder/tiny-50.docx" ] && return
  mkdir -p "$folder" "$work/tiny-html"
  for i in $(seq 1 50); do
    case $((i % 4)) in
      0) printf '{\\rtf1\\ansi {\\fonttbl{\\f0 Arial;}}\\f0 Tiny document %d: caf\\u233?, \\u8364?10.\\par}' "$i" >"$folder/tiny-$i.rtf" ;;
      1) printf '<!DOCTYPE html><html><head><meta charset="utf-8"></head><body><p>Tiny document %d: caf\303\251.</p></body></html>' "$i" >"$folder/tiny-$i.html" ;;
      *) printf '<!DOCTYPE html><html><head><meta charset="utf-8"></head><body><p>Tiny document %d: caf\303\251.</p></body></html>' "$i" >"$work/tiny-html/tiny-$i.html" ;;
    esac
  done
  soffice_command "$work/generator-profile"
  "${soffice_run[@]}" --infilter="HTML (StarWriter)" --convert-to 'docx:MS Word 2007 XML' --outdir "$folder" "$work"/tiny-html/tiny-{2,6,10,14,18,22,26,30,34,38,42,46,50}.html >/dev/null 2>&1
  "${soffice_run[@]}" --infilter="HTML (StarWriter)" --convert-to 'doc:MS Word 97' --outdir "$folder" "$work"/tiny-html/tiny-{3,7,11,15,19,23,27,31,35,39,43,47}.html >/dev/null 2>&1
}
