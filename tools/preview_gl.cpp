// velmora_asset_preview: draws the generated scene the way the program does
// (same projection, frame order, lights, texture flags and immediate-mode
// model) to check the data by eye and to time it. Needs an X display.
//   velmora_asset_preview DATA_DIR OUT.ppm [--view 0..4] [--time day|twilight|night]
//                         [--eye X Y Z HEADING PITCH] [--normals 0|2]
//   velmora_asset_preview DATA_DIR --bench      texture load and frame times
// This binary links SOIL, so it must not link stb_image.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <SOIL/SOIL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr unsigned kFlags = SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y | SOIL_FLAG_COMPRESS_TO_DXT |
                            SOIL_FLAG_NTSC_SAFE_RGB;
constexpr unsigned kIntroFlags = SOIL_FLAG_MIPMAPS | SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB;
constexpr int kWidth = 1920, kHeight = 1080;

struct Options {
    std::string data, out, time = "day";
    double eye[3] = {50, 1.8, 50}, heading = -70, pitch = 0;
    bool bench = false;
    int normals = 0;
} opt;

struct Model {
    std::vector<float> v, n;                       // xyz triples
    std::map<std::string, std::vector<int>> groups;  // corner indices: position, normal
} model;

struct TerrainVertex {
    float p[3], n[3], t[2];
};
std::vector<TerrainVertex> terrain;
std::vector<std::vector<unsigned>> strips;
GLuint ground = 0, stone = 0, sky[10] = {};

double now() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

GLuint loadTexture(const std::string& name, unsigned flags = kFlags) {
    return SOIL_load_OGL_texture((opt.data + "/" + name).c_str(), SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, flags);
}

void readModel() {
    std::ifstream in(opt.data + "/sthenge3.obj");
    std::string line, group;
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string k;
        s >> k;
        if (k == "v" || k == "vn") {
            float a, b, c;
            s >> a >> b >> c;
            auto& dst = k == "v" ? model.v : model.n;
            dst.insert(dst.end(), {a, b, c});
        } else if (k == "g") {
            s >> group;
        } else if (k == "f") {
            for (int i = 0; i < 3; ++i) {
                std::string c;
                s >> c;
                int vi = 0, ti = 0, ni = 0;
                std::sscanf(c.c_str(), "%d/%d/%d", &vi, &ti, &ni);
                model.groups[group].push_back(vi - 1);
                model.groups[group].push_back(ni - 1);
            }
        }
    }
    // The program's preparation: scale by 0.115 (single precision), then the
    // bounding box's centre to the origin.
    double lo[3] = {1e30, 1e30, 1e30}, hi[3] = {-1e30, -1e30, -1e30};
    for (size_t i = 0; i < model.v.size(); ++i) {
        const double x = double(model.v[i]) * double(0.115f);
        lo[i % 3] = std::min(lo[i % 3], x);
        hi[i % 3] = std::max(hi[i % 3], x);
    }
    for (size_t i = 0; i < model.v.size(); ++i)
        model.v[i] = float(double(model.v[i]) * double(0.115f) - 0.5 * (lo[i % 3] + hi[i % 3]));
}

void readTerrain() {
    int w = 0, h = 0, c = 0;
    unsigned char* px = SOIL_load_image((opt.data + "/heightmap.png").c_str(), &w, &h, &c, SOIL_LOAD_AUTO);
    const int n = 100;
    terrain.resize(n * n);
    float t = 0.0f;
    for (int r = 0; r < n; ++r) {
        float s = 0.0f;
        for (int col = 0; col < n; ++col) {
            const int i = r * n + col;
            const float height = px ? float(px[i]) * 0.137f - 30.0f : -30.0f;
            terrain[i] = {{float(r), height, float(col)}, {0, 1, 0}, {s, t}};
            s += 1.0f / n;
        }
        t += 1.0f / n;
    }
    SOIL_free_image_data(px);
    strips.assign(n - 1, std::vector<unsigned>(2 * n));
    for (int r = 0; r < n - 1; ++r)
        for (int col = 0; col < n; ++col) {
            strips[r][2 * col] = r * n + col;
            strips[r][2 * col + 1] = (r + 1) * n + col;
        }
}

const float kCorners[8][3] = {{100, 100, -100},  {-100, 100, -100}, {-100, 100, 100}, {100, 100, 100},
                              {100, -100, -100}, {-100, -100, -100}, {-100, -100, 100}, {100, -100, 100}};
const int kFaces[5][4] = {{0, 1, 2, 3}, {4, 0, 3, 7}, {7, 3, 2, 6}, {6, 2, 1, 5}, {5, 1, 0, 4}};

void drawSky(const std::string& time) {
    if (time == "night") return;
    const int base = time == "twilight" ? 5 : 0;
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glTranslatef(float(opt.eye[0]), float(opt.eye[1]), float(opt.eye[2]));
    const float tc[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    for (int k = 0; k < 5; ++k) {
        glBindTexture(GL_TEXTURE_2D, sky[base + k]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBegin(GL_QUADS);
        for (int c = 0; c < 4; ++c) {
            glTexCoord2f(tc[c][0], tc[c][1]);
            glVertex3fv(kCorners[kFaces[k][c]]);
        }
        glEnd();
    }
    glTranslatef(-float(opt.eye[0]), -float(opt.eye[1]), -float(opt.eye[2]));
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}

void applyLights(const std::string& time) {
    glShadeModel(GL_SMOOTH);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    float sun[4] = {-0.62187f, 1.0f, 0.78312f, 0.0f};
    float model[4] = {0.2f, 0.2f, 0.2f, 1}, amb[4], dif[4], spec[4] = {0.1f, 0.1f, 0.1f, 1};
    if (time == "day") {
        const float a[4] = {0.2f, 0.15f, 0.1f, 1}, d[4] = {0.7f, 0.6f, 0.5f, 1};
        std::memcpy(amb, a, sizeof a);
        std::memcpy(dif, d, sizeof d);
    } else if (time == "twilight") {
        sun[1] = 0.1f;
        const float a[4] = {0.1f, 0.1f, 0.1f, 1}, d[4] = {0.35f, 0.2f, 0.2f, 1};
        std::memcpy(amb, a, sizeof a);
        std::memcpy(dif, d, sizeof d);
    } else {
        const float m[4] = {0.2f, 0.15f, 0.1f, 1}, z[4] = {0, 0, 0, 1};
        std::memcpy(model, m, sizeof m);
        std::memcpy(amb, z, sizeof z);
        std::memcpy(dif, z, sizeof z);
        std::memcpy(spec, z, sizeof z);
    }
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, model);
    glLightfv(GL_LIGHT0, GL_AMBIENT, amb);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, dif);
    glLightfv(GL_LIGHT0, GL_SPECULAR, spec);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, sun);
}

void drawTerrain() {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glBindTexture(GL_TEXTURE_2D, ground);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(TerrainVertex), terrain[0].p);
    glTexCoordPointer(2, GL_FLOAT, sizeof(TerrainVertex), terrain[0].t);
    glNormalPointer(GL_FLOAT, sizeof(TerrainVertex), terrain[0].n);
    for (auto& s : strips) glDrawElements(GL_TRIANGLE_STRIP, GLsizei(s.size()), GL_UNSIGNED_INT, s.data());
    glDisable(GL_TEXTURE_2D);
}

void drawModel() {
    glBindTexture(GL_TEXTURE_2D, stone);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
    glEnable(GL_TEXTURE_2D);
    const float even[3][2] = {{1, 1}, {1, 0}, {0, 0}}, odd[3][2] = {{1, 1}, {0, 1}, {1, 0}};
    for (auto& [name, corners] : model.groups) {
        glEnable(GL_NORMALIZE);
        glColor3f(1, 1, 1);
        glBegin(GL_TRIANGLES);
        for (size_t c = 0; c < corners.size(); c += 2) {
            const size_t p = c / 6;
            const float(*tc)[2] = (p % 2 == 0) ? even : odd;
            glTexCoord2fv(tc[(c / 2) % 3]);
            glNormal3fv(&model.n[3 * corners[c + 1]]);
            glVertex3fv(&model.v[3 * corners[c]]);
        }
        glEnd();
    }
}

bool withModel = true;

void drawScene(const std::string& time) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glRotatef(float(opt.pitch), 1, 0, 0);
    const double h = opt.heading * M_PI / 180.0;
    gluLookAt(opt.eye[0], opt.eye[1], opt.eye[2], opt.eye[0] + std::cos(h), opt.eye[1],
              opt.eye[2] + std::sin(h), 0, 1, 0);
    drawSky(time);
    applyLights(time);
    drawTerrain();
    glTranslatef(50.0f, 1.9f, 49.0f);
    glRotatef(-90, 0, 1, 0);
    if (withModel) drawModel();
    glFlush();
}

void drawFloor() {
    // The yardstick: one full-screen mipmapped textured quad.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, ground);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(-1, -1);
    glTexCoord2f(1, 0), glVertex2f(1, -1);
    glTexCoord2f(1, 1), glVertex2f(1, 1);
    glTexCoord2f(0, 1), glVertex2f(-1, 1);
    glEnd();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void writePpm(const std::string& path) {
    std::vector<unsigned char> px(size_t(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << kWidth << " " << kHeight << "\n255\n";
    for (int y = kHeight - 1; y >= 0; --y) out.write(reinterpret_cast<char*>(&px[size_t(y) * kWidth * 3]), kWidth * 3);
}

// Median time of one frame (draw, swap, finish) over `frames` rounds that
// alternate between the kinds of frame, so a busy machine slows all alike.
std::vector<double> timeFrames(const std::vector<void (*)()>& kinds, int frames) {
    std::vector<std::vector<double>> times(kinds.size());
    for (int round = 0; round <= frames; ++round)
        for (size_t k = 0; k < kinds.size(); ++k) {
            const double t0 = now();
            kinds[k]();
            glutSwapBuffers();
            glFinish();
            if (round > 0) times[k].push_back(now() - t0);  // round 0 warms up
        }
    std::vector<double> medians;
    for (auto& t : times) {
        std::sort(t.begin(), t.end());
        medians.push_back(t[t.size() / 2]);
    }
    return medians;
}

double processStart = 0.0, firstFrame = 0.0;

void onDisplay() {
    const double t0 = now();
    std::vector<std::pair<std::string, double>> loads;
    auto timed = [&](const std::string& name, unsigned flags = kFlags) {
        const double a = now();
        const GLuint id = loadTexture(name, flags);
        loads.push_back({name, now() - a});
        if (id == 0) std::printf("cannot load %s: %s\n", name.c_str(), SOIL_last_result());
        return id;
    };
    for (int k = 0; k < 5; ++k) {
        sky[k] = timed("cloudy/" + std::to_string(k) + ".jpg");
        sky[k + 5] = timed("sunset/" + std::to_string(k) + ".jpg");
    }
    ground = timed("ground.png");
    stone = timed("stone.png");
    timed("sarsen.png");
    timed("bluestone.png");
    timed("intro1.png", kIntroFlags);
    const double textures = now() - t0;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, double(kWidth) / kHeight, 1.0, 300.0);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.15f, 0.15f, 0.2f, 0.0f);

    drawScene("day");
    glutSwapBuffers();
    glFinish();
    firstFrame = now();
    if (opt.bench) {
        for (auto& [name, ms] : loads) std::printf("load %-16s %7.1f ms\n", name.c_str(), ms);
        std::printf("load all textures  %7.1f ms\n", textures);
        const auto m = timeFrames({drawFloor, [] { withModel = true; drawScene("day"); },
                                   [] { withModel = true; drawScene("twilight"); },
                                   [] { withModel = false; drawScene("day"); }},
                                  15);
        std::printf("frame floor %.1f ms, scene day %.1f ms (%.2fx), twilight %.1f ms (%.2fx), "
                    "day without the model %.1f ms (%.2fx) at %dx%d (medians)\n",
                    m[0], m[1], m[1] / m[0], m[2], m[2] / m[0], m[3], m[3] / m[0], kWidth, kHeight);
        std::printf("start-up to first frame: %.0f ms\n", firstFrame - processStart);
    } else {
        drawScene(opt.time);
        writePpm(opt.out);
    }
    std::exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    processStart = now();
    glutInit(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DATA_DIR (OUT.ppm [options] | --bench)\n", argv[0]);
        return 2;
    }
    opt.data = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--bench") {
            opt.bench = true;
        } else if (a == "--time" && i + 1 < argc) {
            opt.time = argv[++i];
        } else if (a == "--view" && i + 1 < argc) {
            const double views[5][5] = {{50, 1.8, 50, -70, 0}, {2, 1.8, 2, 45, 0}, {50, 50, 50, 0, 90},
                                        {65, 0, 35, 130, -5}, {46, 16, 71, -75, 40}};
            const double* v = views[std::atoi(argv[++i]) % 5];
            opt.eye[0] = v[0], opt.eye[1] = v[1], opt.eye[2] = v[2], opt.heading = v[3], opt.pitch = v[4];
        } else if (a == "--eye" && i + 5 < argc) {
            for (double& e : opt.eye) e = std::atof(argv[++i]);
            opt.heading = std::atof(argv[++i]);
            opt.pitch = std::atof(argv[++i]);
        } else {
            opt.out = a;
        }
    }
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kWidth, kHeight);
    glutCreateWindow("Velmora asset preview");
    readModel();
    readTerrain();
    glutDisplayFunc(onDisplay);
    glutMainLoop();
}
