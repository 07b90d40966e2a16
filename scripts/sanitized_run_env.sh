# Sourced by the scripts that run the sanitizer build under a virtual X server: the environment
# they share, and `xvfb`, the command that starts the server. Expects to run from the repository
# root.
export LIBGL_ALWAYS_SOFTWARE=1
# Mesa's shader disk cache runs a thread that its exit handler joins just before LeakSanitizer
# stops the threads for its check; a thread dying in that gap now and then crashes the checker
# ("Tracer caught signal 11") and fails a run that passed.
export MESA_SHADER_CACHE_DISABLE=true
# GCC 12's runtime takes a dynamic TLS block that malloc happened to place at a certain page
# offset for an old glibc's, and its leak checker then reads wild addresses and dies; the
# driver's threads (llvmpipe) use dynamic TLS, so now and then a passed test failed on exit.
export ASAN_OPTIONS=intercept_tls_get_addr=0
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:intercept_tls_get_addr=0"
export UBSAN_OPTIONS=print_stacktrace=1
# -noreset: by default the server resets whenever its last client leaves, and a program starting
# in that moment cannot connect; SDL then falls back to another video driver behind our back
# (whose libraries, unloaded before the leak check, show as leaks of an "<unknown module>"). With
# x11 named, a display that cannot be reached fails with SDL's reason instead.
export SDL_VIDEODRIVER=x11
xvfb=(xvfb-run -a -s "-screen 0 1920x1080x24 -noreset")
