// Entry point of vorela-editor.
#include "app/ApplicationClass.h"

int main(int argc, char **argv)
{
    vorela::ApplicationClass application(argc, argv);
    return application.run();
}
