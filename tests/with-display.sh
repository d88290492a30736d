#!/usr/bin/env bash
# Runs a window test: inside the X server already given by DISPLAY, or in a
# private one from xvfb-run. OpenGL always goes through Mesa's software renderer.
export LIBGL_ALWAYS_SOFTWARE=1
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
