// The public name of schema/reflection.h. The layers below core/ include that file
// itself (see runtime/README.md).
//
// Programs that walk a record's compile-time schema do it with Boost.MPL and
// Boost's type traits (boost::mpl::for_each over a transformed field list or a
// map of types); the library's headers bring those in, so this one does too,
// beside the Boost names every runtime header brings (boost_interface.h).
#pragma once

#include <bond/schema/reflection.h>

#include <boost/mpl/for_each.hpp>
#include <boost/mpl/list.hpp>
#include <boost/mpl/map.hpp>
#include <boost/mpl/pair.hpp>
#include <boost/mpl/transform.hpp>
#include <boost/type_traits/add_pointer.hpp>
