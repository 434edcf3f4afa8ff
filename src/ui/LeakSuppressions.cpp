// Allocations that libraries below Qt keep until the process ends (the D-Bus connection's
// buffers, the font configuration, GLib's type system): LeakSanitizer would report them at
// every exit of the sanitizer build, with no code of this program in their stacks. They
// are named here, in the program itself, so that every run of it (and of its window tests)
// reports only leaks that matter. Without the sanitizer nothing calls this.
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n"
         "leak:libfontconfig.so\n"
         "leak:libglib-2.0.so\n";
}
