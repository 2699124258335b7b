// Fixture for the long-function check, run with at most 3 lines.
#include <string>

namespace sample {

int shortFree(int a) {
    return a + 1;
}

int longFree(int a) {
    a += 1;
    a += 2;
    return a;
}

class Widget {
public:
    Widget(int size);
};

Widget::Widget(int size) : size_(size), name_{"widget"} {
    size_ += 1;
    size_ += 2;
    size_ += 3;
}

void Widget::paint() {
    const std::string text = "{ not a brace }";
    // } nor this one {
    const char open = '{';
    (void)open;
}

enum class Colour { Red, Green, Blue, Yellow, Black, White, Purple };

struct Inline {
    int inlineMember() const {
        int a = 1;
        a += 2;
        return a;
    }
};

const int kTable[] = {
    1,
    2,
    3,
    4,
};

}  // namespace sample
