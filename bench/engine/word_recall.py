#!/usr/bin/env python3
"""How many of the words of each part of a test document reach our text.

Converts node-word-extractor's test documents (.doc and .docx) with plainquill-batch and, for each
part its snapshots list (body, footnotes, endnotes, text boxes, comments, header text boxes),
prints the share of that part's words found in our text. A part's words are counted against
what is left of our text once the body's words are taken out, so a note's word that happens to
stand in the body too does not count as found.

    bench/engine/word_recall.py BUILD_DIR [--include LIST]
"""
import collections
import json
import os
import re
import subprocess
import sys
import tempfile

build = sys.argv[1] if len(sys.argv) > 1 else 'build'
extra = sys.argv[2:]
corpus = os.environ.get('PLAINQUILL_CORPUS_DIR',
                        os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../../shared/corpus'))
data = os.path.join(corpus, 'node-word-extractor/__tests__/data')
expected = os.path.join(corpus, 'node-word-extractor/_derived_expected_text')
parts = ['body', 'footnotes', 'endnotes', 'textboxes', 'annotations', 'headerTextboxes']


def words(text):
    return collections.Counter(re.findall(r'\w+', text.lower()))


found = collections.Counter()
total = collections.Counter()
with tempfile.TemporaryDirectory() as out:
    for ending in ('doc', 'docx'):
        documents = sorted(f for f in os.listdir(data) if re.fullmatch(r'test\d\d\.' + ending, f))
        target = os.path.join(out, ending)
        subprocess.run([os.path.join(build, 'plainquill-batch'), '-q', '-j', '2', '-o', target, *extra,
                        *(os.path.join(data, d) for d in documents)], check=False)
        for document in documents:
            stem = document.rsplit('.', 1)[0]
            text_file = os.path.join(target, stem + '.txt')
            if not os.path.exists(text_file):
                continue
            ours = words(open(text_file, encoding='utf-8').read())
            body = open(os.path.join(expected, stem + '.doc.body.txt'), encoding='utf-8').read()
            other_file = os.path.join(expected, stem + '.doc.other-parts.json')
            others = json.load(open(other_file, encoding='utf-8')) if os.path.exists(other_file) else {}
            for part in parts:
                text = body if part == 'body' else others.get(part, '')
                wanted = words(text)
                pool = ours if part == 'body' else ours - words(body)
                total[part] += sum(wanted.values())
                found[part] += sum(min(n, pool[w]) for w, n in wanted.items())

for part in parts:
    if total[part]:
        print(f'{part:16} {100.0 * found[part] / total[part]:5.1f} %  ({found[part]} of {total[part]} words)')
