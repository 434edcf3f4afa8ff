#include "ui/shell/KolvexApplication.h"

int main(int argc, char** argv) { return kolvex::RunKolvex(argc, argv); }
