# Sourced first by the end-to-end scripts: runs the sourcing script again, with its arguments, on
# a private X server of its own.
if [ -z "${TESSALOOM_ON_XVFB:-}" ]; then
  export TESSALOOM_ON_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$@"
fi
