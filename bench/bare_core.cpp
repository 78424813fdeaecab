// The Qt Core minimum that a command-line answer is measured against: a
// QCoreApplication that prints one line.
#include <cstdio>

#include <QCoreApplication>

int main(int argc, char **argv)
{
    const QCoreApplication app(argc, argv);
    std::puts("2 5/12");
    return 0;
}
