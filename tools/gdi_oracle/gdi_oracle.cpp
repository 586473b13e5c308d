// Draws shape cases with the real GDI into a white 64 x 64 DIB section and prints the pixels, so the
// canvas can be compared against GDI's own rasterisation. Built with mingw, run under Wine.
//
// Input (stdin), one case per line, commands separated by ';':
//   <kind> <pen colour hex> <pen width> <pen style S|D|N> <mode C|I> <brush colour hex or -> <x y>...
// kinds: L line (MoveToEx/LineTo per point pair), P Polyline, G Polygon, R Rectangle, E Ellipse,
//        F FillRect with the brush colour (pen ignored), M MoveToEx + LineTo chain.
// Colours are 0x00BBGGRR.
// Mode I inverts: see draw() below.
// Output (stdout), one line per case: the case, " | ", the picture's colours in first-use order,
// " | ", and the picture as runs "<count><letter>" in row order, letter a = first colour.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int Size = 64;

struct Command {
    char kind = 'L';
    unsigned penColor = 0;
    int penWidth = 1;
    char penStyle = 'S';
    char mode = 'C';
    std::string brush = "-";
    std::vector<POINT> points;
};

bool parseCommand(const std::string& text, Command& command)
{
    std::istringstream in(text);
    std::string penColor;
    if (!(in >> command.kind >> penColor >> command.penWidth >> command.penStyle >> command.mode >>
          command.brush))
        return false;
    command.penColor = std::stoul(penColor, nullptr, 16);
    long x = 0;
    long y = 0;
    while (in >> x >> y)
        command.points.push_back(POINT{x, y});
    return true;
}

HPEN createPen(const Command& command, COLORREF color)
{
    if (command.penStyle == 'N')
        return CreatePen(PS_NULL, 0, 0);
    const int style = command.penStyle == 'D' ? PS_DOT : PS_SOLID;
    return CreatePen(style, command.penWidth, color);
}

HBRUSH createBrush(const Command& command, bool black)
{
    if (command.brush == "-")
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    return CreateSolidBrush(black ? 0 : std::stoul(command.brush, nullptr, 16));
}

void drawShape(HDC dc, const Command& command, HBRUSH brush)
{
    const auto& p = command.points;
    const int count = static_cast<int>(p.size());
    switch (command.kind) {
    case 'L':
        for (int i = 0; i + 1 < count; i += 2) {
            MoveToEx(dc, p[i].x, p[i].y, nullptr);
            LineTo(dc, p[i + 1].x, p[i + 1].y);
        }
        break;
    case 'M':
        if (count > 0)
            MoveToEx(dc, p[0].x, p[0].y, nullptr);
        for (int i = 1; i < count; ++i)
            LineTo(dc, p[i].x, p[i].y);
        break;
    case 'P':
        Polyline(dc, p.data(), count);
        break;
    case 'G':
        Polygon(dc, p.data(), count);
        break;
    case 'R':
        if (count >= 2)
            Rectangle(dc, p[0].x, p[0].y, p[1].x, p[1].y);
        break;
    case 'E':
        if (count >= 2)
            Ellipse(dc, p[0].x, p[0].y, p[1].x, p[1].y);
        break;
    case 'F':
        if (count >= 2) {
            RECT rect{p[0].x, p[0].y, p[1].x, p[1].y};
            FillRect(dc, &rect, brush);
        }
        break;
    default:
        break;
    }
}

// Draws with R2_COPYPEN, or with black pen and brush when the shape only marks pixels.
void drawCopy(HDC dc, const Command& command, bool black)
{
    HPEN pen = createPen(command, black ? 0 : command.penColor);
    HBRUSH brush = createBrush(command, black);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    SetROP2(dc, R2_COPYPEN);
    drawShape(dc, command, brush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    if (command.brush != "-")
        DeleteObject(brush);
}

struct Picture {
    HDC dc = nullptr;
    unsigned* bits = nullptr;
};

Picture createPicture()
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = Size;
    info.bmiHeader.biHeight = -Size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Picture picture;
    picture.dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(picture.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!picture.dc || !bitmap)
        return {};
    SelectObject(picture.dc, bitmap);
    SetBkMode(picture.dc, TRANSPARENT);
    picture.bits = static_cast<unsigned*>(bits);
    return picture;
}

void clear(const Picture& picture)
{
    for (int i = 0; i < Size * Size; ++i)
        picture.bits[i] = 0xFFFFFF;
}

// An inverting shape flips each pixel GDI's shape covers exactly once, as the canvas does: GDI's
// R2_NOT would flip twice where a polygon's outline lies on its fill or a polyline crosses itself.
// So the shape is drawn as a mask, and the mask's pixels are inverted.
void draw(const Picture& picture, const Picture& mask, const Command& command)
{
    if (command.mode != 'I') {
        drawCopy(picture.dc, command, false);
        return;
    }
    if ((command.kind == 'L' || command.kind == 'M') && command.points.size() > 2) {
        // Every LineTo is a call of its own.
        const size_t stride = command.kind == 'L' ? 2 : 1;
        for (size_t i = 0; i + 1 < command.points.size(); i += stride) {
            Command line = command;
            line.kind = 'L';
            line.points = {command.points[i], command.points[i + 1]};
            draw(picture, mask, line);
        }
        return;
    }
    clear(mask);
    drawCopy(mask.dc, command, true);
    GdiFlush();
    for (int i = 0; i < Size * Size; ++i)
        if ((mask.bits[i] & 0xFFFFFF) == 0)
            picture.bits[i] ^= 0xFFFFFF;
}

std::string encode(const unsigned* bits)
{
    std::vector<unsigned> palette;
    std::string runs;
    auto letter = [&](unsigned colour) {
        for (size_t i = 0; i < palette.size(); ++i)
            if (palette[i] == colour)
                return static_cast<char>('a' + i);
        palette.push_back(colour);
        return static_cast<char>('a' + palette.size() - 1);
    };
    int i = 0;
    while (i < Size * Size) {
        const unsigned colour = bits[i] & 0xFFFFFF;
        int run = 1;
        while (i + run < Size * Size && (bits[i + run] & 0xFFFFFF) == colour)
            ++run;
        const char code = letter(colour);
        runs += std::to_string(run) + code;
        i += run;
    }
    std::string colours;
    for (unsigned rgbQuad : palette) {
        // The DIB holds 0x00RRGGBB; print as 0x00BBGGRR like the cases.
        const unsigned ref = ((rgbQuad & 0xFF) << 16) | (rgbQuad & 0xFF00) | ((rgbQuad >> 16) & 0xFF);
        char text[8];
        std::snprintf(text, sizeof text, "%06X", ref);
        colours += (colours.empty() ? "" : " ") + std::string(text);
    }
    return colours + " | " + runs;
}

} // namespace

int main()
{
    const Picture picture = createPicture();
    const Picture mask = createPicture();
    if (!picture.bits || !mask.bits) {
        std::fprintf(stderr, "no DIB section\n");
        return 1;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        clear(picture);
        std::istringstream commands(line);
        std::string text;
        while (std::getline(commands, text, ';')) {
            Command command;
            if (parseCommand(text, command))
                draw(picture, mask, command);
        }
        GdiFlush();
        std::cout << line << " | " << encode(picture.bits) << "\n";
    }
    return 0;
}
