#!/usr/bin/env bash
# Every relative link and picture in the checkout's Markdown files ($1) points at a file that is
# there, and every #anchor at a heading of its file, spelt as GitHub spells them.
set -euo pipefail
cd "$1"
anchors() { sed -n 's/^#\+ //p' "$1" | tr 'A-Z ' 'a-z-' | tr -cd 'a-z0-9_\n-'; }
for page in *.md; do
    for link in $(grep -o '](\([^)# ]*\)\(#[^) ]*\)\?)' "$page" | sed 's/^](//; s/)$//'); do
        file=${link%%#*} anchor=${link#"$file"}
        case $file in http:* | https:* | mailto:*) continue ;; esac
        target=${file:-$page}
        [ -e "$target" ] && { [ -z "$anchor" ] || anchors "$target" | grep -qx "${anchor#\#}"; } ||
            { echo "$page: broken link $link" >&2 && exit 1; }
    done
done
