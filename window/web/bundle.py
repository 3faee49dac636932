#!/usr/bin/env python3
"""Writes the page for a static host (a folder) and the single-file page.

bundle.py MODULE PAGE_DIR SINGLE_FILE index.html quiz.js quiz.css ICON
"""
import base64
import pathlib
import shutil
import sys


def main(module, page_dir, single_file, html, script, style, icon):
    page = pathlib.Path(page_dir)
    page.mkdir(parents=True, exist_ok=True)
    for source in (html, script, style):
        shutil.copyfile(source, page / pathlib.Path(source).name)
    shutil.copyfile(icon, page / "pioneers-quiz.png")
    shutil.copyfile(module, page / "quiz.wasm")

    def inline(data):
        return base64.b64encode(pathlib.Path(data).read_bytes()).decode("ascii")

    text = pathlib.Path(html).read_text(encoding="utf-8")
    parts = {
        '<link rel="icon" href="pioneers-quiz.png">':
            f'<link rel="icon" href="data:image/png;base64,{inline(icon)}">',
        '<link rel="stylesheet" href="quiz.css">':
            "<style>\n" + pathlib.Path(style).read_text(encoding="utf-8") + "</style>",
        '<script src="quiz.js"></script>':
            f'<script type="application/wasm" id="quiz-module">{inline(module)}</script>\n'
            "<script>\n" + pathlib.Path(script).read_text(encoding="utf-8") + "</script>",
    }
    for tag, replacement in parts.items():
        if tag not in text:
            sys.exit(f"bundle.py: {tag} not found in {html}")
        text = text.replace(tag, replacement)
    pathlib.Path(single_file).write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main(*sys.argv[1:])
