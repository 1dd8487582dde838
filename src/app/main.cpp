#include "ui/desktop.h"

int main(int argc, char** argv) { return hq::ui::RunDesktop(argc, argv); }
