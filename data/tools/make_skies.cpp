// Paints Dawnhelm's default alarm pictures, sunrise.jpg and sunset.jpg: 800 x 600
// skies drawn from gradients, a sun disc with its glow, a few soft clouds, and
// a sea (sunrise) or a line of hills (sunset) below the horizon. Everything is
// computed here and written with libjpeg, so the program ships no photograph.
// The output is the same on every run.
//
//   cmake --build <build> --target dawn_make_skies
//   <build>/data/dawn_make_skies <folder>      (writes <folder>/sunrise.jpg, sunset.jpg)
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// libjpeg's header needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Add(Rgb a, Rgb b, double k) {
    return {a.r + b.r * k, a.g + b.g * k, a.b + b.b * k};
}

Rgb Hex(std::uint32_t v) {
    return {((v >> 16) & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0, (v & 0xff) / 255.0};
}

double Smooth(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// A vertical gradient through colour stops at fractions of the height.
struct Stop {
    double at;
    Rgb colour;
};

Rgb Gradient(const std::vector<Stop>& stops, double y) {
    if (y <= stops.front().at) return stops.front().colour;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (y <= stops[i].at) {
            const double t = (y - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            return Mix(stops[i - 1].colour, stops[i].colour, Smooth(0.0, 1.0, t));
        }
    }
    return stops.back().colour;
}

// Cheap deterministic value noise for cloud edges and water ripples.
double Hash(int x, int y) {
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xffff) / 65535.0;
}

double Noise(double x, double y) {
    const int xi = static_cast<int>(std::floor(x));
    const int yi = static_cast<int>(std::floor(y));
    const double fx = Smooth(0.0, 1.0, x - xi);
    const double fy = Smooth(0.0, 1.0, y - yi);
    const double top = Hash(xi, yi) + (Hash(xi + 1, yi) - Hash(xi, yi)) * fx;
    const double bottom = Hash(xi, yi + 1) + (Hash(xi + 1, yi + 1) - Hash(xi, yi + 1)) * fx;
    return top + (bottom - top) * fy;
}

double Fractal(double x, double y) {
    return 0.55 * Noise(x, y) + 0.3 * Noise(x * 2.1, y * 2.1) + 0.15 * Noise(x * 4.3, y * 4.3);
}

struct Cloud {
    double x, y, halfWidth, halfHeight;
};

struct Scene {
    std::vector<Stop> sky;  // by y / horizon
    Rgb glow;               // light around the sun
    Rgb sunCore;
    Rgb sunRim;
    double sunX, sunY, sunRadius;
    double horizon;  // y of the horizon
    std::vector<Cloud> clouds;
    Rgb cloudLit;
    Rgb cloudShade;
    bool sea;  // sea with the sun's reflection, or hills
    Rgb ground;
    Rgb farGround;
};

Rgb SkyAt(const Scene& s, double x, double y) {
    Rgb c = Gradient(s.sky, y / s.horizon);
    const double dx = (x - s.sunX) / kWidth;
    const double dy = (y - s.sunY) / kHeight;
    const double d = std::sqrt(dx * dx * 0.6 + dy * dy * 2.2);
    c = Add(c, s.glow, 0.55 * std::exp(-d * 5.0));
    c = Add(c, s.glow, 0.35 * std::exp(-std::fabs(y - s.horizon) / 40.0));

    for (const Cloud& cl : s.clouds) {
        const double u = (x - cl.x) / cl.halfWidth;
        const double v = (y - cl.y) / cl.halfHeight;
        const double shape = 1.0 - (u * u + v * v * (v > 0 ? 1.6 : 1.0));
        const double density =
            Smooth(0.0, 0.6, shape + 0.9 * (Fractal((x + cl.y * 7.0) / 45.0, y / 10.0) - 0.5));
        if (density <= 0.0) continue;
        // The underside facing the low sun is lit; the top stays in shade.
        const Rgb tint = Mix(s.cloudShade, s.cloudLit, Smooth(-0.6, 1.0, v));
        c = Mix(c, tint, 0.8 * density);
    }

    // The disc, with a soft rim.
    const double r = std::hypot(x - s.sunX, y - s.sunY);
    const double disc = 1.0 - Smooth(s.sunRadius - 1.5, s.sunRadius + 1.5, r);
    c = Mix(c, Mix(s.sunCore, s.sunRim, std::pow(r / s.sunRadius, 3.0)), disc);
    c = Add(c, s.sunCore, 0.35 * std::exp(-std::max(0.0, r - s.sunRadius) / 18.0));
    return c;
}

Rgb GroundAt(const Scene& s, double x, double y) {
    const double below = (y - s.horizon) / (kHeight - s.horizon);
    if (s.sea) {
        // The sky mirrored and darkened, broken into ripples, with the sun's
        // path of light on the water.
        const double mirrorY = s.horizon - (y - s.horizon) * 1.5;
        const double ripple = Fractal(x / 60.0, y / 3.0 + 5.0);
        Rgb c =
            Mix(SkyAt(s, x + (ripple - 0.5) * 30.0 * below, mirrorY), s.ground, 0.35 + 0.5 * below);
        const double path =
            std::exp(-std::pow((x - s.sunX) / (s.sunRadius * (1.0 + 3.0 * below)), 2.0));
        const double glint = Smooth(0.45, 0.8, Fractal(x / 9.0, y / 1.6));
        c = Add(c, s.sunCore, path * glint * (0.9 - 0.6 * below));
        return c;
    }
    return Mix(s.farGround, s.ground, Smooth(0.0, 0.5, below));
}

// Height of the hills above the horizon line at x (sunset only).
double HillTop(const Scene& s, double x, double scale, double phase) {
    return s.horizon -
           scale * (18.0 + 14.0 * std::sin(x / 95.0 + phase) +
                    9.0 * std::sin(x / 41.0 + 2.0 * phase) + 4.0 * std::sin(x / 13.0 + phase));
}

Rgb Pixel(const Scene& s, int px, int py) {
    const double x = px + 0.5;
    const double y = py + 0.5;
    if (s.sea) return y < s.horizon ? SkyAt(s, x, y) : GroundAt(s, x, y);
    const double far = HillTop(s, x, 1.4, 0.7);
    const double near = HillTop(s, x, 0.8, 2.3) + 25.0;
    Rgb c = SkyAt(s, x, y);
    // The far hills stand in the haze of the horizon, the near ones are dark.
    const Rgb haze = Gradient(s.sky, 1.0);
    const Rgb farHill = Mix(s.farGround, haze, 0.3 * (1.0 - Smooth(far, s.horizon + 30.0, y)));
    c = Mix(c, farHill, Smooth(far - 0.8, far + 0.8, y));
    c = Mix(c, GroundAt(s, x, y), Smooth(near - 0.8, near + 0.8, y));
    return c;
}

bool WriteJpeg(const std::string& path, const Scene& s) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::perror(path.c_str());
        return false;
    }
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 88, TRUE);
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);

    std::vector<JSAMPLE> row(kWidth * 3);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = Pixel(s, x, y);
            // Half a step of dither keeps the long gradients free of bands.
            const double dither = Hash(x, y + 7919) - 0.5;
            const double channels[3] = {c.r, c.g, c.b};
            for (int k = 0; k < 3; ++k) {
                row[x * 3 + k] = static_cast<JSAMPLE>(
                    std::clamp(std::lround(channels[k] * 255.0 + dither), 0L, 255L));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const bool ok = std::fclose(file) == 0;
    if (ok) std::printf("wrote %s\n", path.c_str());
    return ok;
}

Scene Sunrise() {
    Scene s;
    s.horizon = 400.0;
    s.sky = {
        {0.0, Hex(0x1b2a55)}, {0.45, Hex(0x5b5d92)}, {0.75, Hex(0xd98f8f)}, {1.0, Hex(0xffc37a)}};
    s.glow = Hex(0x6a3a10);
    s.sunCore = Hex(0xfff6d8);
    s.sunRim = Hex(0xffd27a);
    s.sunX = 270.0;
    s.sunY = 392.0;
    s.sunRadius = 44.0;
    s.clouds = {{560, 150, 210, 22}, {180, 215, 150, 14}, {640, 290, 170, 12}, {380, 110, 120, 10}};
    s.cloudLit = Hex(0xffb38a);
    s.cloudShade = Hex(0x4b3f6e);
    s.sea = true;
    s.ground = Hex(0x14203f);
    s.farGround = s.ground;
    return s;
}

Scene Sunset() {
    Scene s;
    s.horizon = 440.0;
    s.sky = {
        {0.0, Hex(0x24123d)}, {0.4, Hex(0x6b2a5e)}, {0.72, Hex(0xd2484a)}, {1.0, Hex(0xff9a3c)}};
    s.glow = Hex(0x7a2a00);
    s.sunCore = Hex(0xffe6a8);
    s.sunRim = Hex(0xff8a2a);
    s.sunX = 545.0;
    s.sunY = 405.0;
    s.sunRadius = 52.0;
    s.clouds = {{230, 170, 230, 18}, {600, 240, 190, 13}, {420, 320, 260, 9}, {120, 330, 110, 8}};
    s.cloudLit = Hex(0xff8f5a);
    s.cloudShade = Hex(0x3a1d48);
    s.sea = false;
    s.ground = Hex(0x1a0c20);
    s.farGround = Hex(0x4a2144);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = WriteJpeg(folder + "/sunrise.jpg", Sunrise()) &&
                    WriteJpeg(folder + "/sunset.jpg", Sunset());
    return ok ? 0 : 1;
}
