#pragma once
// Placeholder for the editable grid over an updatable query.
