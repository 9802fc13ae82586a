// A shared library without a Qt plug-in's entry point.
extern "C" int fendleTestPlainLibrary() { return 1; }
