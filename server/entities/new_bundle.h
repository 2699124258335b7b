#pragma once

#include <memory>
#include <string>

namespace kt {

class Entity;

// Inserts a new bundle of this name with the contact "Auto Upgrade", a fresh stamp and a
// generated PIF ID, and returns it bound. Nothing checks the name or looks for a bundle of the
// same name.
std::shared_ptr<Entity> InsertNewBundle(const std::string& name);

}  // namespace kt
