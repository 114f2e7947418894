#include "camera/camera.h"

#include <cmath>

namespace {

constexpr double kMaxPitch = 80.0;  // degrees either way
// Damping and dead zone act per pass. They are single-precision constants used
// in double arithmetic, so 0.8 is 0.800000011920929.
constexpr double kSpeedDamping = 0.8f;
constexpr double kTurnDamping = 0.9f;
constexpr double kDeadZone = 0.2f;

// Limits |v| to limit, keeping its sign.
double limited(double v, double limit) {
    if (std::fabs(v) > limit) return v < 0.0 ? -limit : limit;
    return v;
}

}  // namespace

Vector3 rotateAboutY(const Vector3& v, double degrees) {
    const double a = degrees * kPi / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    return {v.x * c - v.z * s, v.y, v.x * s + v.z * c};
}

void Camera::changePitch(double degrees) {
    pitch += degrees;
    if (pitch > kMaxPitch) pitch = kMaxPitch;
    if (pitch < -kMaxPitch) pitch = -kMaxPitch;
}

void Camera::turn(double degreesPerSecond) {
    turnRate = limited(turnRate + degreesPerSecond, maxTurnRate);
}

void Camera::rotateHeading(const double& degrees) {
    direction = rotateAboutY(direction, degrees);
}

void Camera::setHeading(const double& degrees) {
    direction = rotateAboutY(Vector3{1.0, 0.0, 0.0}, degrees);
}

void Camera::setBounds(Vector3 upper, Vector3 lower) {
    maxBound = upper;
    minBound = lower;
}

void Camera::update(const double& seconds) {
    const double t = seconds;
    if (t == 0.0) return;

    // Trapezoid rule: the distance is the mean of old and new speed times t.
    const double oldForward = forwardSpeed;
    const double newForward = limited(oldForward + forwardAccel * t, maxForwardSpeed);
    const double d = (oldForward + newForward) / 2.0 * t;
    position.x += direction.x * d;
    position.z += direction.z * d;
    forwardSpeed = newForward;

    // Right of the direction is (-z, 0, x).
    const double oldStrafe = strafeSpeed;
    const double newStrafe = limited(oldStrafe + strafeAccel * t, maxStrafeSpeed);
    const double e = (oldStrafe + newStrafe) / 2.0 * t;
    position.x += -direction.z * e;
    position.z += direction.x * e;
    strafeSpeed = newStrafe;

    rotateHeading(turnRate * t);
    clampToBounds();

    if (forwardAccel == 0.0) forwardSpeed *= kSpeedDamping;
    turnRate *= kTurnDamping;
    if (strafeAccel == 0.0) strafeSpeed *= kSpeedDamping;

    if (std::fabs(forwardSpeed) < kDeadZone) forwardSpeed = 0.0;
    if (std::fabs(turnRate) < kDeadZone) turnRate = 0.0;
    if (std::fabs(strafeSpeed) < kDeadZone) strafeSpeed = 0.0;
}

void Camera::clampToBounds() {
    if (position.x > maxBound.x)
        position.x = maxBound.x;
    else if (position.x < minBound.x)
        position.x = minBound.x;
    if (position.z > maxBound.z)
        position.z = maxBound.z;
    else if (position.z < minBound.z)
        position.z = minBound.z;
}

bool Camera::isStill() const {
    return forwardSpeed == 0.0 && forwardAccel == 0.0 && turnRate == 0.0 && strafeSpeed == 0.0;
}
