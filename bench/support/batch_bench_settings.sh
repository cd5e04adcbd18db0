# What the scripts that time plainquill-batch against soffice share: where the programs and the
# corpus are, the large set's size, and the text filter that writes what the batch writes.
# Sourced with $here set to the script's folder and $1 the build folder, if any.
build=$(cd "${1:-$here/../../build}" && pwd)
batch=$build/plainquill-batch
corpus=${PLAINQUILL_CORPUS_DIR:-$here/../../../shared/corpus}
[ -d "$corpus" ] || corpus=/work/shared/corpus
soffice=${SOFFICE:-/usr/lib/libreoffice/program/soffice}
large_count=10
large_paragraphs=3000
cache=${PLAINQUILL_BENCH_CACHE:-${TMPDIR:-/tmp}/plainquill-bench-cache}
text_filter='txt:Text (encoded):UTF8,LF,,,false' # what the batch writes: UTF-8, LF, no BOM

[ -x "$batch" ] || { echo "build plainquill-batch first ($batch)" >&2; exit 1; }
