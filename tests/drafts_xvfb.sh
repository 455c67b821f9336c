#!/usr/bin/env bash
# A crash loses at most the last moments of typing: the drafts run of the smoke test.
here="$(cd "$(dirname "$0")" && pwd)"
exec bash "$here/smoke_xvfb.sh" "$1" "$here/.." drafts
