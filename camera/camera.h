// The first-person camera. It moves like a vehicle: keys set accelerations and
// turning impulses each update pass, and update() integrates them over the
// elapsed seconds, damps what no key drives and keeps x and z in the walkable
// area. Angles are in degrees; a heading h looks along (cos h, 0, sin h);
// a positive pitch looks down. Speeds are in scene units per second.
#pragma once

#include "camera/vector3.h"

class Camera {
  public:
    void setPosition(const Vector3& p) { position = p; }
    Vector3 getPosition() const { return position; }
    Vector3 getLookAt() const { return position + direction; }
    Vector3 getUp() const { return up; }
    Vector3 getDirection() const { return direction; }
    // Flights steer the view straight at a point, so the direction may leave the
    // horizontal plane; callers pass a unit vector.
    void setDirection(const Vector3& d) { direction = d; }
    double getPitch() const { return pitch; }
    void setPitch(double degrees) { pitch = degrees; }
    void changePitch(double degrees);
    void rise(double units) { position.y += units; }
    void setForwardAccel(double a) { forwardAccel = a; }
    void setStrafeAccel(double a) { strafeAccel = a; }
    void turn(double degreesPerSecond);
    void rotateHeading(const double& degrees);
    void setHeading(const double& degrees);
    void setBounds(Vector3 upper, Vector3 lower);
    void update(const double& seconds);
    void clampToBounds();
    // Ignores strafeAccel: a sideways key alone never keeps the loop running
    // past the pass in which its speed is still zero.
    bool isStill() const;

    double getForwardSpeed() const { return forwardSpeed; }
    double getStrafeSpeed() const { return strafeSpeed; }
    double getForwardAccel() const { return forwardAccel; }
    double getStrafeAccel() const { return strafeAccel; }
    double getTurnRate() const { return turnRate; }
    // Tests set motion directly rather than through many passes.
    void setForwardSpeed(double s) { forwardSpeed = s; }
    void setStrafeSpeed(double s) { strafeSpeed = s; }
    void setTurnRate(double r) { turnRate = r; }
    // The visitor's walking and turning speeds: the limits of forward and
    // sideways speed in units per second, of the turning rate in degrees per
    // second. 5, 5 and 90 unless the settings or running change them.
    void setSpeedLimits(double forward, double strafe, double turnRateLimit) {
        maxForwardSpeed = forward;
        maxStrafeSpeed = strafe;
        maxTurnRate = turnRateLimit;
    }

  private:
    Vector3 minBound;  // only x and z are used
    Vector3 maxBound;
    double pitch = 0.0;
    Vector3 up{0.0, 1.0, 0.0};
    Vector3 direction{1.0, 0.0, 0.0};
    Vector3 position{0.0, 2.0, 0.0};
    double forwardAccel = 0.0;  // units per second²
    double forwardSpeed = 0.0;  // units per second, negative backwards
    double maxForwardSpeed = 5.0;
    double maxStrafeSpeed = 5.0;
    double strafeSpeed = 0.0;  // positive to the right
    double strafeAccel = 0.0;
    double turnRate = 0.0;  // degrees per second, positive turns right
    double maxTurnRate = 90.0;
};

// Rotates v about the y axis by the given degrees; +90 takes +x to +z.
Vector3 rotateAboutY(const Vector3& v, double degrees);
