#!/usr/bin/env python3
"""Tries plainquill-batch as a hostile user would and prints one table row per case and worker
count: what was done, what a sound program does, and whether this one did it.

    scripts/hostile_trial.py [BUILD_DIR] [-j 1,2]

Needs a build (plainquill-batch) and LibreOffice; takes a few minutes. Every case is a real run
of the command on files made here, in a scratch folder that is removed afterwards.
"""
import argparse
import http.server
import os
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import zipfile
from pathlib import Path

CORPUS = Path(__file__).resolve().parent.parent.parent / "shared" / "corpus"
WORD_DATA = CORPUS / "node-word-extractor" / "__tests__" / "data"
RTF = b"{\\rtf1\\ansi Hostile trial words.\\par}"


class Trial:
    def __init__(self, batch: Path, jobs: str, scratch: Path):
        self.batch, self.jobs, self.scratch = batch, jobs, scratch

    def folder(self, name: str) -> Path:
        path = self.scratch / f"{name}-j{self.jobs}"
        path.mkdir(parents=True)
        return path

    def run(self, *arguments, timeout=300, **popen):
        command = [str(self.batch), "-j", self.jobs, *map(str, arguments)]
        started = time.monotonic()
        done = subprocess.run(command, capture_output=True, timeout=timeout, **popen)
        output = done.stdout.decode(errors="replace") + done.stderr.decode(errors="replace")
        return done.returncode, output, time.monotonic() - started


def docx(path: Path, document_xml: str, extra=None):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("[Content_Types].xml",
                         '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/'
                         'content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-'
                         'package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/>'
                         '<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-'
                         'officedocument.wordprocessingml.document.main+xml"/></Types>')
        archive.writestr("_rels/.rels",
                         '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/'
                         '2006/relationships"><Relationship Id="r1" Type="http://schemas.openxmlformats.org/'
                         'officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>'
                         '</Relationships>')
        archive.writestr("word/document.xml", document_xml)
        for name, data in (extra or {}).items():
            archive.writestr(name, data)


def body(text: str, doctype: str = "") -> str:
    return ('<?xml version="1.0"?>' + doctype + '<w:document xmlns:w="http://schemas.openxmlformats.org/'
            'wordprocessingml/2006/main"><w:body><w:p><w:r><w:t>' + text + '</w:t></w:r></w:p></w:body>'
            '</w:document>')


class Recorder(http.server.BaseHTTPRequestHandler):
    requests = []

    def do_GET(self):
        Recorder.requests.append(self.path)
        self.send_response(404)
        self.end_headers()

    def log_message(self, *args):
        pass


# Each case: (name, what a sound program does, function(trial) -> (ok, what happened)).
def resume_keeps_documents_apart(t):
    src, out = t.folder("resume-src"), t.folder("resume-out")
    shutil.copy(WORD_DATA / "test03.docx", src / "a.docx")
    t.run("-o", out, src / "a.docx")
    docx_text = (out / "a.txt").read_bytes()
    shutil.copy(WORD_DATA / "test04.doc", src / "a.doc")
    old = (out / "a.txt").stat().st_mtime - 3600
    os.utime(src / "a.doc", (old, old))
    status, output, _ = t.run("--skip-existing", "-r", "-o", out, src)
    ok = status == 0 and (out / "a (2).txt").read_bytes() == docx_text and (out / "a.txt").read_bytes() != docx_text
    return ok, f"exit {status}; a.txt holds a.doc's text: {(out / 'a.txt').read_bytes() != docx_text}"


def names_local_files_and_the_web(t):
    src, out = t.folder("naming-src"), t.folder("naming-out")
    fifo = src / "fifo"
    os.mkfifo(fifo)
    server = http.server.HTTPServer(("127.0.0.1", 0), Recorder)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    web = f"http://127.0.0.1:{server.server_port}/x.png"
    Recorder.requests = []
    (src / "beside.png").write_bytes(b"not a picture")
    targets = ["/etc/passwd", str(fifo), str(src / "beside.png"), "beside.png", web]
    rtf = "{\\rtf1\\ansi Words.\\par " + "".join(
        '{\\field{\\*\\fldinst INCLUDEPICTURE "%s" \\\\d}{\\fldrslt }}\\par ' % x for x in targets[1:]) + "End.\\par}"
    (src / "pictures.rtf").write_text(rtf)
    html = "<html><head>" + "".join(f'<link rel="stylesheet" href="{x}">' for x in targets) + "</head><body><p>Words."
    html += "".join(f'<img src="{x}">' for x in targets) + "</p><p>End.</p></body></html>"
    (src / "links.html").write_text(html)
    status, output, seconds = t.run("-o", out, src / "pictures.rtf", src / "links.html")
    server.shutdown()
    texts_ok = all("End." in (out / n).read_text() for n in ("pictures.txt", "links.txt")) if status == 0 else False
    ok = status == 0 and texts_ok and seconds < 60 and not Recorder.requests
    return ok, f"exit {status} in {seconds:.0f} s; web requests: {len(Recorder.requests)}"


def picture_naming_the_user_database(t):
    src, out = t.folder("passwd-src"), t.folder("passwd-out")
    (src / "passwd.rtf").write_text('{\\rtf1\\ansi Words.{\\field{\\*\\fldinst INCLUDEPICTURE "/etc/passwd" \\\\d}'
                                    '{\\fldrslt }}\\par End.\\par}')
    status, output, _ = t.run("-o", out, src / "passwd.rtf")
    text = (out / "passwd.txt").read_text() if (out / "passwd.txt").exists() else ""
    others = [entry.pw_name for entry in pwd.getpwall() if entry.pw_uid != os.getuid()]
    leaked = any(name + ":" in text + output for name in others)
    reason = output.strip().splitlines()[-1][:80] if status else "converted"
    return not leaked and status in (0, 1), f"exit {status} ({reason}); another account in the text: {leaked}"


def staged_file_after_sigkill(t):
    src, out = t.folder("staged-src"), t.folder("staged-out")
    for i in range(30):
        shutil.copy(WORD_DATA / "bigfile-01.doc", src / f"big{i:02}.doc")
    batch = subprocess.Popen([str(t.batch), "-j", t.jobs, "-q", "-o", str(out), str(src)])
    deadline = time.monotonic() + 120
    while time.monotonic() < deadline and not any(p.name.endswith(".tmp") for p in out.iterdir()):
        time.sleep(0.005)
    batch.send_signal(signal.SIGKILL)
    batch.wait()
    left = [p.name for p in out.iterdir() if p.name.endswith(".tmp")]
    (src / "last.rtf").write_bytes(RTF)
    status, _, _ = t.run("-o", out, src / "last.rtf")
    after = [p.name for p in out.iterdir() if p.name.endswith(".tmp")]
    return bool(left) and not after and status == 0, f"staged files left by the kill: {len(left)}, after the next run: {len(after)}"


def stop_signals(t):
    results, ok = [], True
    for sig, status_wanted in ((signal.SIGHUP, 129), (signal.SIGPIPE, 141), (signal.SIGTERM, 143)):
        src, out = t.folder(f"signal{sig}-src"), t.folder(f"signal{sig}-out")
        for i in range(20):
            shutil.copy(WORD_DATA / "bigfile-01.doc", src / f"big{i:02}.doc")
        report = out.parent / f"report-{sig}-j{t.jobs}.csv"
        batch = subprocess.Popen([str(t.batch), "-j", t.jobs, "-q", "--report", str(report), "-o", str(out), str(src)])
        while not any(p.suffix == ".txt" for p in out.iterdir()) and batch.poll() is None:
            time.sleep(0.01)
        batch.send_signal(sig)
        status = batch.wait(timeout=60)
        rows = report.read_text().count("\n") - 1 if report.exists() else -1
        ok = ok and status == status_wanted and rows == 20
        results.append(f"{signal.Signals(sig).name}: exit {status}, report rows {rows}")
    return ok, "; ".join(results)


def progress_into_head(t):
    src, out = t.folder("head-src"), t.folder("head-out")
    for i in range(6):
        (src / f"d{i}.rtf").write_bytes(RTF)
    report = out.parent / f"head-j{t.jobs}.csv"
    pipe = f"'{t.batch}' -j {t.jobs} --report '{report}' -o '{out}' '{src}' | head -c 1"
    subprocess.run(["bash", "-c", pipe], capture_output=True, timeout=300)
    converted = len(list(out.glob("*.txt")))
    return converted == 6, f"{converted} of 6 texts written, report {'complete' if report.exists() else 'missing'}"


def empty_files(t):
    src, out = t.folder("empty-src"), t.folder("empty-out")
    for i in range(3000):
        (src / f"e{i:04}.doc").write_bytes(b"")
    (src / "real.rtf").write_bytes(RTF)
    status, output, seconds = t.run("-o", out, src)
    starts = output.rsplit("LibreOffice started ", 1)[-1].split(" ")[0] if "LibreOffice started" in output else "?"
    return status == 1 and starts.isdigit() and int(starts) <= int(t.jobs) and (out / "real.txt").exists(), \
        f"exit {status} in {seconds:.0f} s, LibreOffice started {starts} time(s)"


def folder_names(t):
    src, out = t.folder("names-src"), t.folder("names-out")
    for name in ("guide.adoc", "mydoc", "Report.Docx", "Shout.RTF", ".hidden.doc", "x.doc.bak"):
        shutil.copy(WORD_DATA / "test01.docx", src / name) if name == "Report.Docx" else (src / name).write_bytes(RTF)
    (src / "folder.doc").mkdir()
    status, output, _ = t.run("-o", out, src)
    got = sorted(p.name for p in out.glob("*.txt"))
    # A hidden file is taken from a folder named alone, as it always was, but not from below it.
    return status == 0 and got == [".hidden.txt", "Report.txt", "Shout.txt"], f"exit {status}, texts: {', '.join(got)}"


def plain_words(t):
    src, out = t.folder("words-src"), t.folder("words-out")
    shutil.copy(WORD_DATA / "badfile-01-bad-header.doc", src / "broken.doc")
    (src / "junk.rtf").write_bytes(os.urandom(4096))
    status, output, _ = t.run("-o", out, src)
    coded = any(code in output for code in ("generic_Text", "0x0", "error 0x"))
    return status == 1 and not coded and "2 documents could not" in output.replace("2 of 2 documents could not", "2 documents could not"), \
        f"exit {status}; internal codes shown: {coded}"


def zip_bomb(t):
    src, out = t.folder("bomb-src"), t.folder("bomb-out")
    docx(src / "bomb.docx", body("x" * 400_000_000))
    status, output, seconds = t.run("-o", out, src / "bomb.docx")
    return status == 1 and seconds < 100, f"exit {status} in {seconds:.0f} s: {output.strip().splitlines()[1][:90] if len(output.splitlines()) > 1 else output.strip()[:90]}"


def external_entity(t):
    src, out = t.folder("xxe-src"), t.folder("xxe-out")
    docx(src / "xxe.docx", body("before &secret; after", '<!DOCTYPE d [<!ENTITY secret SYSTEM "file:///etc/passwd">]>'))
    status, output, _ = t.run("-o", out, src / "xxe.docx")
    text = (out / "xxe.txt").read_text() if (out / "xxe.txt").exists() else ""
    leaked = "root:" in text
    return not leaked, f"exit {status}; /etc/passwd in the text: {leaked}"


def odd_files(t):
    src, out = t.folder("odd-src"), t.folder("odd-out")
    (src / "empty.docx").write_bytes(b"")
    os.mkfifo(src / "pipe.doc")
    (src / "loop").symlink_to(src)
    (src.joinpath(os.fsdecode(b"caf\xe9.rtf"))).write_bytes(RTF)
    (src / "new\nline.rtf").write_bytes(RTF)
    status, output, seconds = t.run("-r", "-o", out, src, timeout=200)
    got = len(list(out.glob("*.txt")))
    return status == 1 and got == 2 and seconds < 150, f"exit {status} in {seconds:.0f} s, {got} texts (non-UTF-8 and newline names)"


def bad_output_folder(t):
    src = t.folder("badout-src")
    (src / "a.rtf").write_bytes(RTF)
    status, output, _ = t.run("-o", src / "a.rtf", src / "a.rtf")
    return status == 2, f"exit {status}: {output.strip().splitlines()[0][:90]}"


def corpus_byte_for_byte(t):
    out = t.folder("corpus-out")
    reference = t.scratch / "corpus-reference"
    status, output, _ = t.run("-r", "-o", out, CORPUS / "textract" / "tests" / "docx", WORD_DATA)
    if not reference.exists():
        shutil.copytree(out, reference)
        return status in (0, 1), f"exit {status}, {len(list(out.glob('*.txt')))} texts (the reference)"
    same = sorted(p.name for p in out.glob("*.txt")) == sorted(p.name for p in reference.glob("*.txt")) and all(
        (out / p.name).read_bytes() == p.read_bytes() for p in reference.glob("*.txt"))
    return same, f"exit {status}; every text equal to -j 1's: {same}"


CASES = [
    ("a resumed run with an older a.doc queued ahead of a.docx", "a.txt is a.doc's text", resume_keeps_documents_apart),
    ("RTF naming a FIFO, a file beside, a web address; HTML those and /etc/passwd", "converted, no hang, no request", names_local_files_and_the_web),
    ("RTF naming /etc/passwd as a linked picture", "no other account in the text", picture_naming_the_user_database),
    ("SIGKILL while a text is being written, then a new run", "the staged file is removed", staged_file_after_sigkill),
    ("SIGHUP, SIGPIPE, SIGTERM mid-run with --report", "exit 128+n, every row in the report", stop_signals),
    ("progress piped into head -c 1, with --report", "every document converted", progress_into_head),
    ("3,000 empty .doc files and one document", "LibreOffice started once per worker", empty_files),
    ("guide.adoc, mydoc, Report.Docx, Shout.RTF, .hidden.doc, a folder folder.doc", ".hidden, Report and Shout", folder_names),
    ("a broken .doc and random bytes named .rtf", "plain reasons, exit 1", plain_words),
    ("a .docx whose XML unpacks to 400 MB", "refused quickly, exit 1", zip_bomb),
    ("a .docx with an external entity naming /etc/passwd", "nothing of /etc/passwd in the text", external_entity),
    ("-r over an empty .docx, a FIFO .doc, a link loop, non-UTF-8 and newline names", "two texts, exit 1, no hang", odd_files),
    ("an output folder that is a file", "exit 2 with the reason", bad_output_folder),
    ("the corpus's .doc and .docx", "the same bytes with every worker count", corpus_byte_for_byte),
]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("-j", default="1,2", help="worker counts to try, comma separated")
    arguments = parser.parse_args()
    batch = Path(arguments.build).resolve() / "plainquill-batch"
    print("| case | sound outcome | " + " | ".join(f"-j {j}" for j in arguments.j.split(",")) + " |")
    print("|---|---|" + "---|" * len(arguments.j.split(",")))
    failures = 0
    with tempfile.TemporaryDirectory(prefix="plainquill-hostile-") as scratch:
        for name, sound, case in CASES:
            cells = []
            for jobs in arguments.j.split(","):
                try:
                    ok, seen = case(Trial(batch, jobs, Path(scratch)))
                except Exception as error:  # a case that breaks is a failed case, not a stopped trial
                    ok, seen = False, f"{type(error).__name__}: {error}"
                failures += not ok
                cells.append(("ok: " if ok else "FAILED: ") + seen.replace("|", "/").replace("\n", " "))
            print(f"| {name} | {sound} | " + " | ".join(cells) + " |", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
